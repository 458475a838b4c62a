#pragma once

#include "cli/TerminalProgress.h"
#include "engine/RunHost.h"

class FileListModel;
struct SortRequest;

// The sort run's view of the command line: the run's inputs come from the options, the files from the file list the
// input sources filled. Progress goes to a terminal, the same-name question is asked on it, and the report
// goes to standard output and standard error.
class CliRunHost final : public RunHost {
public:
    CliRunHost(const SortRequest& request, const FileListModel& files);

    // 0 when every file was dealt with, 1 when a file failed, 2 when the run refused its inputs.
    int exitStatus() const { return m_exitStatus; }

    RunInputs runInputs() const override;
    QList<ChainedInputs> chainedInputs() const override;
    int fileCount() const override;
    QByteArray fileAt(int index) const override;
    OverwriteAnswer askOverwrite(const OverwriteQuestion& question) override;
    void setRunLock(bool locked) override;
    void setProgress(int percent) override;
    void showProgress(int index, int count, const QByteArray& path) override;
    void processEvents() override;
    bool stopRequested() const override;
    void showMessage(const QString& text) override;
    void showCompletion(const RunReport& report) override;
    void showInputError(const InputError& error) override;
    void stepEnded(const PlanStep& step) override;
    RecordingStart startRecording(const RunDescription& run) override;

private:
    const SortRequest& m_request;
    const FileListModel& m_files;
    TerminalProgress m_progress;
    int m_exitStatus = 0;
};

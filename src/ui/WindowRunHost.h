#pragma once

#include "engine/RunHost.h"
#include "ui/MainWindowControls.h"

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>

class BackgroundPlan;
class FileListModel;
class QWidget;

// The sort run's view of the main window. It reads the controls into the run's inputs when the run asks, locks the
// controls that must not change while the run walks the list, and shows the run's boxes over the window.
class WindowRunHost final : public RunHost {
public:
    // closing tells whether the window is closing: the run then stops after the current file, and ends without a
    // completion box.
    WindowRunHost(QWidget& window, const MainWindowControls& controls, const FileListModel& files,
                  std::function<bool()> closing);

    // Sorts the listed files by what the window shows; running() is true until the run has ended.
    void run();
    bool running() const { return m_running; }
    // Starts the plan of the run that run() would make now, through the same checks with the same messages, over a
    // copy of the list as it stands; running() is true during the checks, so a close waits for their boxes. Nothing
    // when the checks refuse or the window is closing.
    std::unique_ptr<BackgroundPlan> startPlan();
    // Enables the undo button exactly when a journaled run is left to undo.
    void enableUndoButton();
    // Ends the run after the current file (the stop button).
    void stop() { m_stopClicked = true; }

    RunInputs runInputs() const override;
    int fileCount() const override;
    QByteArray fileAt(int index) const override;
    void setOutputFolder(const QString& folder) override;
    OverwriteAnswer askOverwrite(const OverwriteQuestion& question) override;
    void setRunLock(bool locked) override;
    void setProgress(int percent) override;
    void showProgress(int index, int count, const QByteArray& path) override;
    void processEvents() override;
    bool stopRequested() const override;
    void showMessage(const QString& text) override;
    void showCompletion(const RunReport& report) override;
    void showInputError(const InputError& error) override;
    // The run's journal in the standard journal folder; when that folder cannot be written, the user chooses between
    // sorting without a journal and stopping.
    RecordingStart startRecording(const RunDescription& run) override;

private:
    void showPendingProgress();
    // The control that holds field.
    QWidget& control(InputField field) const;

    QWidget& m_window;
    const SortChoiceControls m_choices;
    const RunControls m_runControls;
    const PresetControls m_presets;
    const FileListControls m_fileList;
    const FileListModel& m_files;
    std::function<bool()> m_closing;
    bool m_running = false;
    bool m_stopClicked = false;
    // The file label changes at most 20 times a second, so that it costs nothing on a run of many small files. A
    // file that comes sooner waits here for the timer, so that the label shows the file the run is at whenever the
    // window next draws.
    int m_progressIndex = 0;
    int m_progressCount = 0;
    QByteArray m_progressPath;
    QElapsedTimer m_sinceProgressShown;
    QTimer m_progressTimer;
};

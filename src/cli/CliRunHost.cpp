#include "cli/CliRunHost.h"

#include "cli/RunReportOutput.h"
#include "cli/SortRequest.h"
#include "cli/StandardStreams.h"
#include "cli/StepOutput.h"
#include "cli/TerminalQuestion.h"
#include "filelist/FileListModel.h"

CliRunHost::CliRunHost(const SortRequest& request, const FileListModel& files)
    : m_request(request), m_files(files), m_outputFolder(request.outputFolder), m_progress(!request.quiet) {}

int CliRunHost::fileCount() const {
    return m_files.size();
}

QByteArray CliRunHost::fileAt(int index) const {
    return m_files.at(index);
}

int CliRunHost::pageIndex() const {
    return m_request.page;
}

QString CliRunHost::keywordText() const {
    return m_request.keywordText;
}

NamePageFields CliRunHost::namePage() const {
    return m_request.name;
}

SizePageFields CliRunHost::sizePage() const {
    return m_request.size;
}

DatePageFields CliRunHost::datePage() const {
    return m_request.date;
}

ImagePageFields CliRunHost::imagePage() const {
    return m_request.image;
}

QString CliRunHost::outputFolder() const {
    return m_outputFolder;
}

void CliRunHost::setOutputFolder(const QString& folder) {
    m_outputFolder = folder;
}

bool CliRunHost::moveMode() const {
    return m_request.move;
}

SameNamePolicy CliRunHost::sameNamePolicy() const {
    return m_request.policy;
}

OverwriteAnswer CliRunHost::askOverwrite(const OverwriteQuestion& question) {
    m_progress.clear();
    return AskOverwriteOnTerminal(question.existing);
}

ExtensionFilterState CliRunHost::extensionFilter() const {
    return m_request.filter;
}

// Nothing else can change the options during a run: there is nothing to lock.
void CliRunHost::setRunLock(bool) {}

// The progress line counts files rather than percent: showProgress draws it.
void CliRunHost::setProgress(int) {}

void CliRunHost::showProgress(int index, int count, const QByteArray&) {
    m_progress.show(index, count);
}

void CliRunHost::processEvents() {}

// A termination signal stops the run through the interruption request, which the run checks itself.
bool CliRunHost::stopRequested() const {
    return false;
}

void CliRunHost::showMessage(const QString& text) {
    PrintErrorLine(text);
    m_exitStatus = 2;
}

void CliRunHost::showCompletion(const RunReport& report) {
    m_progress.clear();
    // A dry run reports its plan as a whole (PrintPlan), whatever the planning tells its host.
    if (m_request.dryRun) {
        return;
    }
    PrintRunReport(report, m_request.json, m_request.quiet);
    m_exitStatus = report.failed > 0 ? 1 : 0;
}

void CliRunHost::showInputError(const InputError& error) {
    showMessage(error.message);
}

// With --json every step is written as it ends, so that a program reading the output follows the run.
void CliRunHost::stepEnded(const PlanStep& step) {
    if (m_request.json && !m_request.dryRun) {
        WriteStandardOutput(RunStepJsonLine(step));
    }
}

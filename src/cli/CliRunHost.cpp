#include "cli/CliRunHost.h"

#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "cli/InterruptOnSignal.h"
#include "cli/RunReportOutput.h"
#include "cli/SortRequest.h"
#include "cli/StandardStreams.h"
#include "cli/StepOutput.h"
#include "cli/TerminalQuestion.h"
#include "core/ErrnoText.h"
#include "filelist/FileListModel.h"
#include "journal/JournalRecorder.h"

CliRunHost::CliRunHost(const SortRequest& request, const FileListModel& files)
    : m_request(request), m_files(files), m_progress(!request.quiet) {}

RunInputs CliRunHost::runInputs() const {
    return m_request.inputs;
}

QList<ChainedInputs> CliRunHost::chainedInputs() const {
    QList<ChainedInputs> chain;
    for (const RequestPreset& preset : m_request.chain) {
        chain.append({preset.name.toUtf8(), preset.inputs});
    }
    return chain;
}

int CliRunHost::fileCount() const {
    return m_files.size();
}

QByteArray CliRunHost::fileAt(int index) const {
    return m_files.at(index);
}

OverwriteAnswer CliRunHost::askOverwrite(const OverwriteQuestion& question) {
    m_progress.clear();
    return AskOverwriteOnTerminal(question.existing, question.incoming);
}

// Nothing else can change the options during a run: there is nothing to lock.
void CliRunHost::setRunLock(bool) {}

// The progress line counts files rather than percent: showProgress draws it.
void CliRunHost::setProgress(int) {}

void CliRunHost::showProgress(int index, int count, const QByteArray&) {
    m_progress.show(index, count);
}

void CliRunHost::processEvents() {}

// A termination signal stops the run after the current file; the interruption request that sort's signal handler
// adds also aborts a copy under way, which the run checks itself.
bool CliRunHost::stopRequested() const {
    return InterruptingSignal() != 0;
}

void CliRunHost::showMessage(const QString& text) {
    PrintErrorLine(text);
    m_exitStatus = 2;
}

void CliRunHost::showCompletion(const RunReport& report) {
    m_progress.clear();
    PrintRunReport(report, m_request.json, m_request.quiet);
    m_exitStatus = report.failed > 0 ? 1 : 0;
}

void CliRunHost::showInputError(const InputError& error) {
    showMessage(error.message);
}

// The window's journal, in the same folder, unless --no-journal. A journal that cannot be started stops the run
// before it touched anything: a run that could not be undone is not made unless the user said so.
RecordingStart CliRunHost::startRecording(const RunDescription& run) {
    if (!m_request.journal) {
        return {};
    }
    RunDescription described = run;
    described.watch = m_request.watchBatch;
    Fs::Result<std::unique_ptr<JournalRecorder>> journal = StartJournal(described);
    if (journal.failed()) {
        PrintErrorLine(CommandLine::tr("%1: cannot write the journal there (%2); nothing was touched. Use "
                                       "--no-journal to sort without one (no undo).")
                           .arg(QString::fromUtf8(EscapedText(JournalFolder::standard().path())),
                                ErrnoText(journal.error().code)));
        m_exitStatus = 2;
        return {false, nullptr};
    }
    return {true, std::move(*journal)};
}

// With --json every step is written as it ends, so that a program reading the output follows the run.
void CliRunHost::stepEnded(const PlanStep& step) {
    if (m_request.json && !(m_request.changesOnly && PlanStepChangesNothing(step))) {
        WriteStandardOutput(RunStepJsonLine(step, m_request.chain.size() > 1));
    }
}

#include "journal/JournalRecorder.h"

#include "engine/RunReport.h"

Fs::Result<std::unique_ptr<JournalRecorder>> StartJournal(const RunDescription& run, const JournalFolder& folder) {
    if (const Fs::Error unwritable = folder.prepare(); unwritable.failed()) {
        return unwritable;
    }
    RunHeader header;
    header.page = run.page;
    header.move = run.move;
    header.policy = run.policy;
    header.listSize = run.listSize;
    header.outputFolder = run.outputFolder;
    header.watch = run.watch;
    header.chain = run.chain;
    Fs::Result<std::unique_ptr<RunJournal>> journal = RunJournal::start(folder, header);
    if (journal.failed()) {
        return journal.error();
    }
    return std::make_unique<JournalRecorder>(std::move(*journal));
}

JournalRecorder::JournalRecorder(std::unique_ptr<RunJournal> journal) : m_journal(std::move(journal)) {}

int JournalRecorder::intent(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
                            const struct stat* sourceStatus) {
    return m_journal->intent(transfer, use, source, target, sourceStatus);
}

int JournalRecorder::queueIntent(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
                                 const struct stat* sourceStatus) {
    return m_journal->queueIntent(transfer, use, source, target, sourceStatus);
}

void JournalRecorder::writeQueued() {
    m_journal->writeQueued();
}

Fs::Error JournalRecorder::keepReplaced(int step, int folder, const QByteArray& name, const QByteArray& target,
                                        const QByteArray& incoming) {
    return m_journal->keepReplaced(step, {folder, name, target}, incoming).error;
}

void JournalRecorder::done(int step, const struct stat& placed) {
    m_journal->done(step, IdentityOf(placed));
}

void JournalRecorder::renamed(int step) {
    m_journal->renamed(step);
}

void JournalRecorder::failed(int step) {
    m_journal->failed(step);
}

void JournalRecorder::withdraw(int step) {
    m_journal->withdraw(step);
}

void JournalRecorder::chainedSortBegins(int index) {
    m_journal->chainedSortBegins(index);
}

void JournalRecorder::folderMade(const QByteArray& folder) {
    m_journal->folderMade(folder);
}

Fs::Error JournalRecorder::sync() {
    return m_journal->sync();
}

void JournalRecorder::finish(const RunReport& report) {
    // A copy run's journal goes to the disk with the kernel's writeback (see RunJournal::finish).
    (void)m_journal->finish(
        {report.stopped,
         {report.failed, report.placed, report.left, report.notMatching, report.filtered, report.identical}},
        m_journal->header().move);
}

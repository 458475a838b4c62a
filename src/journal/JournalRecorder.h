#pragma once

#include "engine/ActionRecorder.h"
#include "journal/JournalFolder.h"
#include "journal/RunJournal.h"

#include <memory>

// A run's actions taken down in its journal: the recorder a host hands the run from RunHost::startRecording().
class JournalRecorder final : public ActionRecorder {
public:
    explicit JournalRecorder(std::unique_ptr<RunJournal> journal);

    const RunJournal& journal() const { return *m_journal; }

    int intent(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
               const struct stat* sourceStatus) override;
    int queueIntent(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
                    const struct stat* sourceStatus) override;
    void writeQueued() override;
    Fs::Error keepReplaced(int step, int folder, const QByteArray& name, const QByteArray& target,
                           const QByteArray& incoming) override;
    void done(int step, const struct stat& placed) override;
    void renamed(int step) override;
    void failed(int step) override;
    void withdraw(int step) override;
    void chainedSortBegins(int index) override;
    void folderMade(const QByteArray& folder) override;
    Fs::Error sync() override;
    void finish(const RunReport& report) override;

private:
    std::unique_ptr<RunJournal> m_journal;
};

// Starts the journal of run in folder, the one way every host starts one: makes the folder where missing, checks
// that it can be written (see JournalFolder::prepare) and creates the journal. Fails when it cannot, with the errno
// value that says why.
Fs::Result<std::unique_ptr<JournalRecorder>> StartJournal(const RunDescription& run,
                                                          const JournalFolder& folder = JournalFolder::standard());

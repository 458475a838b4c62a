#pragma once

#include "core/FsDescriptor.h"
#include "core/FsResult.h"
#include "journal/JournalAppender.h"
#include "journal/JournalFolder.h"
#include "journal/JournalRecords.h"
#include "journal/Trash.h"

#include <QByteArray>
#include <QHash>

#include <memory>

// What keepReplaced did with the file about to be replaced.
struct KeepResult {
    Fs::Error error; // nothing could keep it: the caller must not replace the file
    KeptFile kept;
};

// The journal of one run, written ahead of every action: the run calls intent() before it touches the disk for a
// placement and done() (or failed()) after, so that a run cut off anywhere can be undone up to its last completed
// action. A record reaches the kernel at once, so a killed process loses none, except those that wait: the record of
// an ended step (done() or failed()) and a queued intent (queueIntent()) go out with the next record written, in the
// same write, or at writeQueued() (undo confirms a step whose end was lost by its file, and an intent whose action
// never happened undoes nothing: see docs/journal.md). The disk is flushed after the
// first record, at sync() and at finish(); in between the kernel writes the journal out with its own writeback,
// since flushing a file system in the middle of a copy run would also force out every copy made so far. The file stays
// locked while this object lives: a history shows the run as running, and no undo touches it. Write failures do not
// stop the run: the first one is kept in error().
class RunJournal {
public:
    // Creates the journal of a run in folder (see JournalFolder::create), writes its first record from header
    // (the start time and process id are filled in when zero) and removes journals past the retention limit. Fails
    // when the journal cannot be created; a first record that cannot be written or flushed is kept in error().
    static Fs::Result<std::unique_ptr<RunJournal>> start(const JournalFolder& folder, RunHeader header);
    RunJournal(const RunJournal&) = delete;
    RunJournal& operator=(const RunJournal&) = delete;
    // Closes the journal and releases its lock; a run that ends without finish() shows as interrupted.
    ~RunJournal();

    const QByteArray& id() const { return m_id; }
    const RunHeader& header() const { return m_header; }

    // Records, before the action, that source is about to be copied or moved to target, with the source as it
    // is now. Returns the step's number for the calls that follow.
    // sourceStatus, when given, is the source's lstat, taken instead of looking it up again.
    int intent(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
               const struct stat* sourceStatus = nullptr);
    // intent() whose record waits in memory until writeQueued() (or any record written after it), so that the
    // intents of a batch of actions reach the kernel in one write. The caller acts on none of them before that.
    int queueIntent(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
                    const struct stat* sourceStatus);
    // Writes every record that waits in memory, in one write.
    void writeQueued();

    // For a replacement, before the new file is renamed over target: keeps the file at target (in the trash, or
    // beside the journal where no trash can take it) and records where. incoming is a file with the content that
    // will replace it (the source, or the finished temporary file); when both are byte for byte the same, nothing
    // is kept and only the old file's times and permission bits are recorded. target keeps holding the old file.
    // target is reached through its open folder only.
    KeepResult keepReplaced(int step, const FileInFolder& target, const QByteArray& incoming);

    // Records, after the action, the new file at the step's target as it is now (size, modification time, inode).
    void done(int step);
    // done() with the new file's identity known already.
    void done(int step, const FileIdentity& written);
    // done() for a move made by a rename: the new file is the source as intent() saw it (the same inode, size and
    // time), so no look-up is needed.
    void renamed(int step);
    // Records that the step did not happen, and takes back what keepReplaced kept while target still holds it.
    void failed(int step);
    // For a move made by a copy, done() before the last sync(), whose source was then found changed: takes the new
    // file away while the target still holds it (as an undo takes back a copy), brings back the file it replaced, and
    // records that the step did not happen. Nothing is recorded where the new file cannot be taken away or the step
    // is not such a move.
    void withdraw(int step);

    // Records a folder the run made (each level of its own), after making it.
    // The intents and folders that follow belong to the saved sort of the header's chain with this index.
    void chainedSortBegins(int index);
    void folderMade(const QByteArray& folder);

    // Flushes the journal to the disk. A move across file systems calls it after done() and before the source is
    // deleted, so that the record of the new file outlives a power cut. The moves made by copies that were done
    // before it can be withdrawn until the next sync().
    Fs::Error sync();

    // The last record: the run went through its list or was stopped, with its counts, flushed to the disk when
    // durable.
    // Otherwise it is left to the kernel's writeback: flushing a file system at the end of a copy run would
    // force out every copy the run made, and a copy run whose journal tail is lost leaves only extra copies.
    Fs::Error finish(const RunEnd& end, bool durable = true);

    // The first write that failed, if any.
    Fs::Error error() const { return m_appender.error(); }

private:
    // The step of an intent, with its record; it is open from now on.
    const JournalStep& open(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
                            const struct stat* sourceStatus);
    // copied: the new file is a copy, not the source renamed.
    void record(int step, const FileIdentity& written, bool copied);
    RunJournal(JournalFolder folder, Fs::Descriptor file, QByteArray id, RunHeader header);
    // Copies the file at target into the folder beside the journal; its path there.
    Fs::Result<QByteArray> keepBeside(int step, const FileInFolder& target) const;

    JournalFolder m_folder;
    JournalAppender m_appender;
    QByteArray m_id;
    RunHeader m_header;
    int m_nextStep = 1;
    std::optional<QByteArray> m_preset; // the saved sort of the chain whose steps follow
    QHash<int, JournalStep> m_open;     // begun and not ended, with the source as intent() saw it
    // Moves made by copies whose sources are still to be checked: those done since the last sync(), and those done
    // before it, whose sources are checked now.
    QHash<int, JournalStep> m_copiedMoves;
    QHash<int, JournalStep> m_settlingMoves;
};

#pragma once

#include "core/FsDescriptor.h"
#include "core/FsError.h"
#include "core/FsSourceCheck.h"

#include <QByteArray>
#include <QHash>
#include <QList>

#include <functional>
#include <sys/types.h>
#include <vector>

// The moves that were made by copying (to another file system, or the file a symbolic link leads to) end here.
// Their copies are flushed to the disk together, each file system once (syncfs), which also flushes their folders
// and every folder the run made there; only then are their sources deleted, each only while its name still leads
// to the file that was copied (Fs::DeleteUnchangedSource). A crash at any moment leaves every file in one place
// or in both, never in neither.
class MoveBatch {
public:
    // Flushes the file system of the open descriptor to the disk. Tests replace it to make the flush fail.
    using Flush = std::function<Fs::Error(int descriptor)>;
    explicit MoveBatch(Flush flush = FlushFileSystem);

    // What settle() found at the source's name.
    enum class SourceFound {
        Deleted,  // the file that was copied, unchanged: it is deleted
        Kept,     // it could not be checked or deleted, or the copies were not flushed: it is kept
        Changed,  // the same file, changed since its copy read it: it is kept, and its copy must go
        Replaced, // another file: it is kept, and the copy, the only one left of the file that was read, stays
    };
    struct Move {
        QByteArray source;
        Fs::SourceRecord record; // the source as its copy read it
        Fs::Error failure;       // an earlier placement's failure; after settle(), the move's first failure
        SourceFound found = SourceFound::Kept; // set by settle()
    };
    // Adds a move whose copy was placed as target.
    void add(Move move, const QByteArray& target);
    bool isEmpty() const { return m_moves.isEmpty(); }
    // True when the batch is as large as a batch gets and should be settled.
    bool full() const;
    // Flushes the copies, then deletes the sources that are unchanged, and empties the batch. Returns each move with
    // what was found at its source and its first failure: an earlier one, the failed flush (the source is kept), or
    // the failed check or deletion. Another file under the source's name is no failure: the move's copy is placed.
    QList<Move> settle();

    static Fs::Error FlushFileSystem(int descriptor);

private:
    // One file system of the batch: a descriptor on it, opened before its first copy was flushed, so that a
    // write-back error in between is reported by the flush.
    struct Disk {
        dev_t device = 0;
        Fs::Descriptor descriptor;
    };
    int diskOf(const QByteArray& target);

    Flush m_flush;
    std::vector<Disk> m_disks;
    QHash<QByteArray, int> m_diskOfFolder;
    QList<std::pair<Move, int>> m_moves; // with the index of the disk its copy is on, -1 when none could be opened
    qint64 m_bytes = 0;
};

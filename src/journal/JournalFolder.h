#pragma once

#include "core/FsDescriptor.h"
#include "core/FsResult.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <sys/types.h>

// A journal just created: its file, open and locked, and its run's id.
struct CreatedJournal {
    Fs::Descriptor file;
    QByteArray id;
};

// The folder that holds one journal per run, "<id>.journal", and beside a journal the files its run kept because
// no trash could take them, "<id>.kept/". A run's id is its start time (UTC, to the millisecond) and process id,
// such as "20240501T120000.123Z-4242", so that ids sort in the order the runs started.
class JournalFolder {
public:
    explicit JournalFolder(QByteArray path);
    // $XDG_STATE_HOME/Varnoth/runs, by default ~/.local/state/Varnoth/runs.
    static JournalFolder standard();

    const QByteArray& path() const { return m_path; }
    // True for a name that can be a run's id: not empty, no '/', not hidden. Ids given by users are checked with
    // it, so that no id leads out of the folder.
    static bool isRunId(QByteArrayView id);
    QByteArray journalPath(QByteArrayView id) const;
    QByteArray keptFolder(QByteArrayView id) const;

    // Makes the folder where missing (private to the user) and checks that a journal can be created in it, before
    // a run starts, so that the caller can warn. CreateTemporary with the errno value when it cannot, EPERM when the
    // folder or the one above it is not the user's own or others may write it (see JournalTrust.h).
    Fs::Error prepare() const;

    // Creates the journal of a run started at startNs by process pid: a new file (O_EXCL, never one that exists),
    // locked for as long as its descriptor stays open. CreateTemporary with the errno value when it cannot.
    Fs::Result<CreatedJournal> create(qint64 startNs, pid_t pid) const;

    // The ids of every journal in the folder, oldest first.
    QByteArrayList runIds() const;

    // True while a process holds the lock of the journal id: its run (or an undo of it) is going on.
    bool isLocked(QByteArrayView id) const;

    // True when files kept beside the journal id are still there.
    bool holdsKeptFiles(QByteArrayView id) const;

    // Removes the journal of the run id and the empty folder beside it; never a journal that is locked or still
    // holds kept files (false then). Which runs go is RetainedRuns' choice (JournalRetention.h).
    bool removeRun(const QByteArray& id) const;

private:
    QByteArray m_path;
};

// Takes the lock of an open journal without waiting; false when another holds it.
bool LockJournal(int descriptor);

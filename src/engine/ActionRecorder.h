#pragma once

#include "core/CriterionPage.h"
#include "core/FsError.h"
#include "engine/placement/Placement.h"
#include "engine/placement/PlacementKind.h"

#include <QByteArray>
#include <QList>

#include <sys/stat.h>

struct RunReport;

// One saved sort of a chained run, as the run's record names it.
struct ChainedSort {
    QByteArray name; // UTF-8
    CriterionPage page = KeywordPage;
    bool move = false;
    SameNamePolicy policy = SameNamePolicy::Skip;
    QByteArray outputFolder; // normalised: ending in '/'
    friend bool operator==(const ChainedSort&, const ChainedSort&) = default;
};

// What a run is, as its recording begins.
struct RunDescription {
    CriterionPage page = KeywordPage;
    bool move = false;
    SameNamePolicy policy = SameNamePolicy::Skip;
    int listSize = 0;
    QByteArray outputFolder; // normalised: ending in '/'
    bool watch = false;      // a batch of a watched folder's new files, not a run the user started
    // The saved sorts of a chained run, in the order they are tried; empty for a run of one set of inputs, which
    // the fields above describe. A chained run's fields above are those of its first saved sort.
    QList<ChainedSort> chain;
};

// Takes down every action of a real run as it happens, written ahead, so that the run can be undone (the journal
// implements it). The run calls, for each placement:
//   intent() before it touches the disk (or queueIntent(), and writeQueued() before it touches the disk),
//   keepReplaced() before a file of the target's name is replaced, and then exactly one of done(), renamed() or
//   failed(); withdraw() may follow done() for a move made by copying;
// folderMade() after it made a folder, sync() before it deletes the sources of moves that were made by copying, and
// finish() once at the end. A recorder that cannot write does not stop the run.
class ActionRecorder {
public:
    virtual ~ActionRecorder() = default;

    // Before the placement of source at target. sourceStatus is the source's lstat when the run has it at hand, so
    // that it need not be looked up again. Returns the step's number for the calls that follow.
    virtual int intent(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
                       const struct stat* sourceStatus) = 0;
    // intent() for an action of a batch: its record waits in memory, and writeQueued() puts the batch's intents on
    // the kernel in one write, before the first of its actions.
    virtual int queueIntent(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
                            const struct stat* sourceStatus) = 0;
    virtual void writeQueued() = 0;
    // Before the file at target is replaced by one with the content of incoming: keeps it where undo finds it. A
    // failure means the file must not be replaced.
    // The file is name in the open folder folder, never looked up by its path; target is its path for the record.
    virtual Fs::Error keepReplaced(int step, int folder, const QByteArray& name, const QByteArray& target,
                                   const QByteArray& incoming) = 0;
    // After the step placed a copy, with the new file's status.
    virtual void done(int step, const struct stat& placed) = 0;
    // After the step renamed the source into place: the new file is the source as intent() saw it.
    virtual void renamed(int step) = 0;
    // The step did not happen.
    virtual void failed(int step) = 0;
    // The step was done(), a move made by copying, but its source was found changed since its copy read it, so the
    // copy may hold old and new bytes mixed: takes the new file away while the target still holds it, puts the file
    // it replaced back, and records that the step did not happen. Where the new file cannot be taken away, the step
    // stays done. Called after the sync() that came before the step's source was checked, and before the next sync().
    virtual void withdraw(int step) = 0;
    // The placements and folders that follow belong to the saved sort of the chain with this index (see
    // RunDescription::chain), until the next call. Never called for a run that is not chained.
    virtual void chainedSortBegins(int index) { Q_UNUSED(index); }
    // After the run made folder (one level).
    virtual void folderMade(const QByteArray& folder) = 0;
    // Puts everything recorded so far on the disk.
    virtual Fs::Error sync() = 0;
    // The run went through its list or stopped, with report's counts.
    virtual void finish(const RunReport& report) = 0;
};

#pragma once

#include "journal/JournalRecords.h"
#include "journal/RestoredFiles.h"
#include "journal/UndoPlaces.h"
#include "journal/UndoResult.h"
#include "journal/UndoScope.h"

#include <QByteArray>
#include <QHash>
#include <QList>

// Reversing one step of a run. Every check looks at what the names hold now, so a step that an earlier undo began
// and a crash cut off is finished, not done twice. Every check and act goes through the folders' descriptors (see
// UndoPlaces), below the run's output folder.

enum class StepFate {
    Reversed,    // the step was taken back
    NothingToDo, // the step never changed anything that is still there (it never happened, or was taken back)
    Left,        // the step could not be taken back without risking data: see the item
};

struct StepOutcome {
    StepFate fate = StepFate::NothingToDo;
    UndoItem item;
    // What the step put back, each with its identity right after (see JournalStep::restored).
    QList<std::pair<QByteArray, FileIdentity>> restored;
    // Left over although the step was taken back: a trash record that was not the run's to remove.
    QList<UndoItem> leftOver;
};

// What the whole journal, and the undos of later runs, tell about the run, for judging one step.
struct RunFacts {
    qint64 startNs = 0;                             // 0 when unknown
    QHash<QByteArray, QList<FileIdentity>> written; // every file the run recorded as written, by its name
    RestoredFiles restored;                         // what undos put back since

    // True when the journal records a step other than step as having written the file now at step's target.
    bool writtenByOtherStep(const JournalStep& step, const FileIdentity& now) const;
    // The identity of the regular file at place when it is the file recorded as expected, or what an undo put back
    // for it; nothing otherwise.
    std::optional<FileIdentity> find(const Place& place, const FileIdentity& expected) const;
};

// Takes back step of the run of facts, which scope admits:
// - a folder the run made is removed when it is still that folder and empty;
// - the new file is acted on only while it is the file the run wrote (size, modification time, inode) or what an
//   undo put back for it: a moved file goes back to its source (never over a file that now stands there), a copy
//   is deleted;
// - a replaced file comes back from where it was kept, and its trash entry goes; a replacement by the same bytes
//   gets the old file's permission bits (never setuid, setgid or sticky) and time back;
// - a step whose end was never recorded counts as done only when its file is certainly the run's: the moved file
//   itself, or a copy made during the run with its source's size, time and bytes.
StepOutcome ReverseStep(const JournalStep& step, const UndoScope& scope, UndoPlaces& places, const RunFacts& facts);

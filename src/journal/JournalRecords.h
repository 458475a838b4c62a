#pragma once

#include "core/CriterionPage.h"
#include "engine/ActionRecorder.h"
#include "engine/placement/Placement.h"
#include "engine/placement/PlacementKind.h"
#include "journal/FileIdentity.h"

#include <QByteArray>
#include <QList>

#include <optional>

// The values a journal holds, as the writer takes them and the reader gives them back. docs/journal.md describes
// how each is written.

// The plan's word for a placement: "copy", "move", "replace" or "number".
const char* PlacementCode(Transfer transfer, NameUse use);

// What the first record says about the run.
struct RunHeader {
    CriterionPage page = KeywordPage;
    bool move = false;
    SameNamePolicy policy = SameNamePolicy::Skip;
    qint64 startNs = 0; // the run's start, nanoseconds since the epoch
    int listSize = 0;
    qint64 pid = 0;
    // The output folder as the run normalised it (ending in '/'); empty in a journal of the first version, which did
    // not record it.
    QByteArray outputFolder;
    // A batch of files that arrived in a watched folder rather than a run the user started; false in journals
    // written before watching existed.
    bool watch = false;
    // The saved sorts of a chained run (its preset records), in the order they were tried; empty for a run of one
    // set of inputs, and in journals written before chains existed.
    QList<ChainedSort> chain;
};

// The outcomes of a run's listed files, as its completion box counts them.
struct RunCounts {
    int failed = 0;
    int placed = 0;
    int left = 0;
    int notMatching = 0;
    // Files the filter passed over; not recorded by journals written before it was counted on its own, whose
    // notMatching counts them too.
    std::optional<int> filtered{};
    // Files left alone because a file of the same bytes held their name; not recorded by journals written before
    // such files were recognised.
    std::optional<int> identical{};
    friend bool operator==(const RunCounts&, const RunCounts&) = default;
};

// What the last record says: the run went through its whole list or was stopped, and its counts.
struct RunEnd {
    bool stopped = false;
    RunCounts counts;
};

// Where the file that a replacement put aside was kept.
enum class KeptWhere {
    Trash,         // hard-linked into a trash's files/ folder, with its .trashinfo
    BesideJournal, // copied into the folder beside the journal (no trash could take it)
    NotKept,       // byte for byte the same as its replacement: only its times and permission bits are recorded
};

struct KeptFile {
    KeptWhere where = KeptWhere::NotKept;
    QByteArray path;     // the kept file (empty when not kept)
    QByteArray info;     // the trash's .trashinfo (trash only)
    FileIdentity old;    // the replaced file as it was
    quint32 oldMode = 0; // its permission bits
};

// One step of a run as the journal holds it: a placement of a file, or a folder made.
struct JournalStep {
    int number = 0;
    bool isFolder = false;
    Transfer transfer = Transfer::Copy;
    NameUse nameUse = NameUse::Free;
    QByteArray source; // empty for a folder
    QByteArray target; // the destination file, or the folder made
    // The saved sort of a chained run the step belongs to; nothing in a run that is not chained.
    std::optional<QByteArray> preset;
    FileIdentity before; // the source as it was when the step began
    std::optional<KeptFile> kept;
    std::optional<FileIdentity> written; // the new file (or folder) once the step was done
    // What an undo put back, each with its identity right after: the moved file at source (its original there was
    // before), the replaced file at target (its original was kept->old). A later undo of an earlier run that finds
    // this identity at the path finds the original, as that run left it.
    QList<std::pair<QByteArray, FileIdentity>> restored;
    bool failed = false;      // the step did not happen
    bool undoStarted = false; // an undo began to reverse it
    bool undone = false;      // an undo reversed it
    QByteArray leftBecause;   // the reason code of the last undo that left it (see UndoReasonCode)
};

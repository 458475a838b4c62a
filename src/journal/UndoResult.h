#pragma once

#include "core/FsError.h"
#include "journal/JournalTrust.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Why undo left a step of a run as it is. Undo never destroys data, so each of these leaves the files involved
// untouched.
enum class UndoReason {
    Changed,        // the file the run wrote was changed since (rewritten, or another file now holds its name)
    Gone,           // the file the run wrote is no longer at its name (deleted or renamed away)
    SourceTaken,    // a file now stands at the name the moved file came from
    NameTaken,      // something now holds the name of the replaced file, which therefore stays where it was kept
    KeptMissing,    // the replaced file is no longer where it was kept (the trash was emptied)
    FolderNotEmpty, // a folder the run made holds files now
    Unconfirmed,    // the journal never recorded the end of the step, and its file cannot be told to be the run's
    Refused,        // the file system refused the step (see the error)
    Outside,        // the journal names a file outside the run's output folder, or a kept file outside a trash
    TrashInfoLeft,  // a trash record that is not a regular file of the user's own was left where it is
};

// The reason in the user's words (Chinese source text, translatable).
QString UndoReasonText(UndoReason reason);
// The reason as an untranslated code for programs: changed, gone, source-taken, name-taken, kept-missing,
// folder-not-empty, unconfirmed, refused, outside, trash-info-left.
const char* UndoReasonCode(UndoReason reason);
// The reason of a code, or nothing for a code that is none of them.
std::optional<UndoReason> UndoReasonOfCode(QByteArrayView code);

struct UndoItem {
    QByteArray path;      // the file or folder the run wrote
    QByteArray otherPath; // where it came from (a move), or where the replaced file is kept; may be empty
    UndoReason reason = UndoReason::Refused;
    Fs::Error error; // for Refused: what the file system said
};

struct UndoResult {
    enum class Status {
        Done,       // the journal was walked through: every step undone except the items
        NoSuchRun,  // no journal of that id
        Running,    // the run still holds its journal: nothing was touched
        Undoing,    // another undo of the run holds its journal: nothing was touched
        Unreadable, // the journal's first line is not a journal header this program reads: nothing was touched
        Untrusted,  // a journal file or folder is not the user's own, or others may write it (see distrust)
    };
    Status status = Status::Done;
    std::optional<Distrust> distrust; // for Untrusted: which file or folder, and why
    int undone = 0;                   // files put back or removed
    int foldersRemoved = 0;           // empty folders the run had made, removed
    QList<UndoItem> items;            // steps left as they are, with why
    int damagedLines = 0;             // journal lines that could not be read and were skipped
    Fs::Error journalError;           // the undo's own records could not all be written (the undo itself went on)
};

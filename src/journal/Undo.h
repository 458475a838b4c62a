#pragma once

#include "journal/JournalFolder.h"
#include "journal/UndoResult.h"

#include <QByteArray>

// Undoes the run id of folder: walks its journal backwards and takes back each step (see ReverseStep), holding the
// journal's lock throughout, so that a running run, or another undo, is left alone. Only a journal folder, journal
// and kept-files folder of the user's own that no one else may write are believed (see JournalTrust.h), and only
// files below the run's output folder are acted on (see UndoScope.h). The undo is journaled in the same file (which
// step it begins, what it put back, which step it took back, which it left and why), so an undo cut off by a crash
// is finished by undoing the run again, a run undone shows as undone, and a later undo of an earlier run knows the
// files this one put back. Steps an earlier undo took back are passed over; steps it left are tried again.
UndoResult UndoRun(const JournalFolder& folder, const QByteArray& id);

// What an undo of the run id would do, counted from its journal without acting, for the question before it.
struct UndoOutlook {
    UndoResult::Status status = UndoResult::Status::Done; // Done when the journal can be undone
    std::optional<Distrust> distrust;                     // for Untrusted
    QByteArray outputFolder;                              // the folder the undo is confined to
    bool inferredFolder = false; // the journal did not record its output folder: it was inferred from its paths
    int copiesToDelete = 0;      // copies the run made, to be deleted
    int movesBack = 0;           // files the run moved, to be moved back
    int fromTrash = 0;           // replaced files to come back from the trash
    int fromBesideJournal = 0;   // replaced files to come back from beside the journal
};
UndoOutlook LookAheadAtUndo(const JournalFolder& folder, const QByteArray& id);

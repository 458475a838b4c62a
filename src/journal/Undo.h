#pragma once

#include "journal/JournalFolder.h"
#include "journal/UndoResult.h"

#include <QByteArray>

// Undoes the run id of folder: walks its journal backwards and takes back each step (see ReverseStep), holding the
// journal's lock throughout, so that a running run, or another undo, is left alone. The undo is journaled in the
// same file (which step it begins, which it took back, which it left and why), so an undo cut off by a crash is
// finished by undoing the run again, and a run undone shows as undone. Steps an earlier undo took back are passed
// over; steps it left are tried again.
UndoResult UndoRun(const JournalFolder& folder, const QByteArray& id);

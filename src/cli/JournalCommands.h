#pragma once

#include "journal/History.h"

#include <QByteArray>

#include <optional>

class JournalFolder;

// `varnoth history`: one line per journaled run of folder, newest first, with tab-separated fields: identifier,
// start (ISO 8601, local time with its offset), criterion, copy or move, the counts placed, left, nomatch and
// failed ("-" for a run cut off before its counts), state, the steps the last undo left ("-" before any undo), the
// short id (ShortRunIds), and the count filtered ("-" also for a journal that did not record it, whose nomatch
// counts those files too), the count identical, and the origin: "user", or "watch" for a batch of a watched
// folder. On a terminal a header line names the fields first. Returns the exit status, 0.
int RunHistoryCommand(const JournalFolder& folder);

// `varnoth undo [RUN]`: undoes the run id (an identifier, or a short id that begins the hash of one run only), or
// without one the run a plain undo picks (see LastRunToUndo): a run undone in part is walked again first, so that
// what an earlier undo left is tried again, and when nothing more comes back the run before it is named with the
// command that undoes it. A plain undo passes over the batches of watched folders, and says so, unless batches
// includes them. Returns the exit status: 0 when nothing was left, 1 when something was (each listed on
// standard error with its reason), 2 when there is no such run, a short id of more than one run (each listed),
// nothing to undo, or a journal that cannot be trusted.
int RunUndoCommand(const JournalFolder& folder, const std::optional<QByteArray>& id,
                   WatchBatches batches = WatchBatches::Skipped);

#pragma once

#include <QByteArray>

#include <optional>

class JournalFolder;

// `varnoth history`: one line per journaled run of folder, newest first, with tab-separated fields: identifier,
// start (ISO 8601, local time with its offset), criterion, copy or move, the counts placed, left, nomatch and
// failed ("-" for a run cut off before its counts), and state. Returns the exit status, 0.
int RunHistoryCommand(const JournalFolder& folder);

// `varnoth undo [RUN]`: undoes the run id, or without one the last run not yet undone; a run undone before is
// walked again, so that what an earlier undo left is tried again. Returns the exit status:
// 0 when everything was undone, 1 when something was left (each listed on standard error with its reason), 2 when
// there is no such run or nothing to undo.
int RunUndoCommand(const JournalFolder& folder, const std::optional<QByteArray>& id);

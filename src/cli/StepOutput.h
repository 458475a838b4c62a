#pragma once

#include <QByteArray>

struct PlanStep;
struct SortPlan;
struct SortRequest;

// The steps of a plan (--dry-run) and of a real run (--json), as the command line writes them.

// A step of a real run as a --json line: the plan's fields, with "result" done or failed and "error" the failure
// code of a failed step. chained: the run applies several saved sorts, and the line names the one that took the file.
QByteArray RunStepJsonLine(const PlanStep& step, bool chained);

// Writes the plan to standard output as the request says. With json, one JSON object per step and the summary
// object. Otherwise one line per step, four fields separated by tabs with names escaped (action, source,
// destination, reason; a field that does not apply is empty; a chained run adds a fifth, the saved sort that took the
// file, and "preset" in JSON), then the summary line unless quiet. With
// changesOnly, the steps that change nothing are left out; the summary still counts every listed file.
void PrintPlan(const SortPlan& plan, const SortRequest& request);

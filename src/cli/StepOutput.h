#pragma once

#include <QByteArray>

struct PlanStep;
struct SortPlan;
struct SortRequest;

// The steps of a plan (--dry-run) and of a real run (--json), as the command line writes them.

// A step of a real run as a --json line: the plan's fields, with "result" done or failed and "error" the failure
// code of a failed step.
QByteArray RunStepJsonLine(const PlanStep& step);

// Writes the plan to standard output as the request says. With json, one JSON object per step and the summary
// object. Otherwise one line per step, four fields separated by tabs with names escaped (action, source,
// destination, reason; a field that does not apply is empty), then the summary line unless quiet. With
// changesOnly, the steps that change nothing are left out; the summary still counts every listed file.
void PrintPlan(const SortPlan& plan, const SortRequest& request);

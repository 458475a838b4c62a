#pragma once

#include "engine/RunReport.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class RunHost;

// What a run would do with one placement of a listed file, or with a file it would not place.
enum class PlanAction : quint8 {
    Copy,     // a copy under a free name
    Move,     // a move under a free name (the file's last placement in move mode)
    Replace,  // the file of that name is replaced
    Number,   // an auto-numbered name
    Skip,     // a file of that name is there and stays
    Ask,      // the same-name question will come
    NoMatch,  // the criterion does not match the file
    Filtered, // the extension filter passes the file over
    Refused,  // the placement would fail (see PlanStep::reason)
};
inline constexpr int PlanActionCount = 9;

// One step of a plan, in the order the run would take it.
struct PlanStep {
    QByteArray source;
    QByteArray target; // the destination path with its final name; empty for NoMatch and Filtered
    PlanAction action = PlanAction::Copy;
    std::optional<FailureReason> reason; // Refused: why
};

// A run's plan: its steps, and its listed files counted in the completion box's four outcomes (failed standing
// for the files with a refused step).
struct SortPlan {
    QList<PlanStep> steps;
    RunReport outcomes;
};

// The action in the user's words (Chinese source text, translatable): 复制, 移动, 覆盖, 自动编号, 跳过, 询问,
// 不符合条件, 已过滤, 无法处理.
QString PlanActionWord(PlanAction action);
// The action as an untranslated code for programs: copy, move, replace, number, skip, ask, nomatch, filtered,
// refused.
const char* PlanActionCode(PlanAction action);

// Plans the run that RunSort(host) would make now, through the same checks (with the same messages), parameter
// step, filters, criteria and same-name policy, and touches nothing: no folder is made, no file written, and the
// host's output folder stays as it is (the run's is normalised on a copy). Nothing when the checks refuse the run.
std::optional<SortPlan> PlanSort(RunHost& host);

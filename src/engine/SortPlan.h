#pragma once

#include "engine/RunReport.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class RunHost;
struct CheckedInputs;

// What a run would do with one placement of a listed file, or with a file it would not place.
enum class PlanAction : quint8 {
    Copy,      // a copy under a free name
    Move,      // a move under a free name (the file's last placement in move mode)
    Replace,   // the file of that name is replaced
    Number,    // an auto-numbered name
    Skip,      // a file of that name is there and stays
    Ask,       // the same-name question will come
    Identical, // a file of the same bytes holds the name, so the file is not placed
    NoMatch,   // the criterion does not match the file
    Filtered,  // the extension filter passes the file over
    Refused,   // the placement would fail (see PlanStep::reason)
};
inline constexpr int PlanActionCount = 10;

// The actions in the order of the outcomes they count towards (RunOutcome), the order in which every text for
// people counts them: refused, the placements, skip and ask, identical, filtered, not matching.
inline constexpr std::array<PlanAction, PlanActionCount> kPlanActionsInOutcomeOrder{
    PlanAction::Refused, PlanAction::Copy, PlanAction::Move,      PlanAction::Replace,  PlanAction::Number,
    PlanAction::Skip,    PlanAction::Ask,  PlanAction::Identical, PlanAction::Filtered, PlanAction::NoMatch,
};

// One step of a plan, in the order the run would take it.
struct PlanStep {
    QByteArray source;
    QByteArray target; // the destination path with its final name; empty for NoMatch and Filtered
    PlanAction action = PlanAction::Copy;
    std::optional<FailureReason> reason; // Refused: why
    QString passedBecause{};             // NoMatch and Filtered: the rule or filter the file missed, in words
    QByteArray sameAs{};                 // Identical: the listed file placed at the name earlier in the run; empty
                                         // when the file of the same bytes was there before the run
    bool takenDateFallback = false;      // the file records no taken date: its modification time stood in
    QByteArray preset{};                 // the saved sort of a chain that took the file (UTF-8); empty otherwise
};

// A run's plan: its steps, its listed files counted in the completion box's outcomes (failed standing for the
// files with a refused step), and the output folder its targets lie in.
struct SortPlan {
    QList<PlanStep> steps;
    RunReport outcomes;
    QByteArray outputFolder; // as the run would normalise it, ending in '/'; empty when not known
};

// The action in the user's words (Chinese source text, translatable): 复制, 移动, 覆盖, 自动编号, 跳过, 询问, 相同,
// 不符合条件, 已过滤, 无法处理.
QString PlanActionWord(PlanAction action);
// The action as an untranslated code for programs: copy, move, replace, number, skip, ask, identical, nomatch,
// filtered, refused.
const char* PlanActionCode(PlanAction action);

// Why a step is what it is, in the user's words (Chinese source text, translatable): the failure reason of a refused
// step, "目标位置已有同名文件" for a skip or a question, "与 <source> 内容相同" or "目标位置已有内容相同的文件" for a
// file of the same bytes, the missed rule or filter of a file passed by, followed by "无拍摄时间，按修改时间" for a
// file measured by its modification time in place of a taken date. Empty for a placement that goes ahead otherwise.
QString PlanStepReasonText(const PlanStep& step);
// "无拍摄时间，按修改时间": a file measured by its modification time because it records no taken date.
QString TakenDateFallbackText();
// True for a step that changes nothing on the disk and asks nothing: a skip, a file of the same bytes, a file not
// matching, a filtered file.
// A refused step still counts as a change that was tried.
bool PlanStepChangesNothing(const PlanStep& step);

// Plans the run that RunSort(host) would make now, through the same checks (with the same messages), parameter
// step, filters, criteria and same-name policy, and touches nothing: no folder is made, no file written, and the
// host's output folder stays as it is (the run's is normalised on a copy). Nothing when the checks refuse the run.
std::optional<SortPlan> PlanSort(RunHost& host);

// Told of each file as a plan takes it: the file's steps, in order, and the count of files looked at so far. False
// ends the plan there.
using PlannedFile = std::function<bool(QList<PlanStep> steps, int filesLooked)>;
// Plans the run of checked (CheckInputsOf(host), already accepted) over host's list, file by file, and returns the
// listed files counted in the outcomes (stopped when planned ended the plan). It asks host for nothing but the list,
// so that it may run in any thread over a host that holds a copy of the list.
RunReport PlanFileByFile(RunHost& host, QList<CheckedInputs> checked, const PlannedFile& planned);

#include "engine/SortPlan.h"

#include "core/TextBytes.h"
#include "engine/RunHost.h"
#include "engine/RunInputs.h"
#include "engine/SortContext.h"
#include "engine/SortPass.h"
#include "engine/SortStages.h"
#include "engine/criteria/Criterion.h"
#include "engine/placement/PlanningPlacement.h"

#include <QCoreApplication>
#include <QFile>

QString PlanActionWord(PlanAction action) {
    switch (action) {
    case PlanAction::Copy:
        return QCoreApplication::translate("PlanAction", "复制");
    case PlanAction::Move:
        return QCoreApplication::translate("PlanAction", "移动");
    case PlanAction::Replace:
        return QCoreApplication::translate("PlanAction", "覆盖");
    case PlanAction::Number:
        return QCoreApplication::translate("PlanAction", "自动编号");
    case PlanAction::Skip:
        return QCoreApplication::translate("PlanAction", "跳过");
    case PlanAction::Ask:
        return QCoreApplication::translate("PlanAction", "询问");
    case PlanAction::Identical:
        return QCoreApplication::translate("PlanAction", "相同");
    case PlanAction::NoMatch:
        return QCoreApplication::translate("PlanAction", "不符合条件");
    case PlanAction::Filtered:
        return QCoreApplication::translate("PlanAction", "已过滤");
    case PlanAction::Refused:
        return QCoreApplication::translate("PlanAction", "无法处理");
    }
    return {};
}

const char* PlanActionCode(PlanAction action) {
    switch (action) {
    case PlanAction::Copy:
        return "copy";
    case PlanAction::Move:
        return "move";
    case PlanAction::Replace:
        return "replace";
    case PlanAction::Number:
        return "number";
    case PlanAction::Skip:
        return "skip";
    case PlanAction::Ask:
        return "ask";
    case PlanAction::Identical:
        return "identical";
    case PlanAction::NoMatch:
        return "nomatch";
    case PlanAction::Filtered:
        return "filtered";
    case PlanAction::Refused:
        return "refused";
    }
    return "";
}

namespace {
QString stepReason(const PlanStep& step) {
    if (step.reason) {
        return FailureReasonText(*step.reason);
    }
    if (step.action == PlanAction::Skip || step.action == PlanAction::Ask) {
        return QCoreApplication::translate("PlanStep", "目标位置已有同名文件");
    }
    if (step.action == PlanAction::Identical) {
        return step.sameAs.isEmpty()
                   ? QCoreApplication::translate("PlanStep", "目标位置已有内容相同的文件")
                   : QCoreApplication::translate("PlanStep", "与 %1 内容相同").arg(DisplayText(step.sameAs));
    }
    return step.passedBecause;
}
} // namespace

QString TakenDateFallbackText() {
    return QCoreApplication::translate("PlanStep", "无拍摄时间，按修改时间");
}

QString PlanStepReasonText(const PlanStep& step) {
    const QString reason = stepReason(step);
    if (!step.takenDateFallback) {
        return reason;
    }
    return reason.isEmpty() ? TakenDateFallbackText()
                            : QCoreApplication::translate("PlanStep", "%1；%2").arg(reason, TakenDateFallbackText());
}

bool PlanStepChangesNothing(const PlanStep& step) {
    return step.action == PlanAction::Skip || step.action == PlanAction::Identical ||
           step.action == PlanAction::NoMatch || step.action == PlanAction::Filtered;
}

RunReport PlanFileByFile(RunHost& host, QList<CheckedInputs> checked, const PlannedFile& planned) {
    QList<PlanningPlacement*> placements;
    SortStages stages(host, std::move(checked), [&](const CheckedInputs& inputs) {
        auto placement = std::make_unique<PlanningPlacement>(QFile::encodeName(inputs.inputs.outputFolder));
        placements.append(placement.get());
        return placement;
    });
    const QList<SortStage> sortStages = stages.stages();
    QList<qsizetype> fallbacksBefore(sortStages.size(), 0);
    SortPass pass{host, sortStages};
    pass.afterFile = [&](int filesLooked) {
        // A file's steps all come from the stage that took it, or from the last when none did, so taking each
        // stage's new steps in turn keeps them in the order of the list.
        QList<PlanStep> steps;
        for (PlanningPlacement* placement : std::as_const(placements)) {
            steps += placement->takeSteps();
        }
        bool fallback = false;
        for (qsizetype i = 0; i < sortStages.size(); ++i) {
            const qsizetype noted = sortStages[i].context.takenDateFallbacks().size();
            fallback = fallback || noted > fallbacksBefore[i];
            fallbacksBefore[i] = noted;
        }
        for (PlanStep& step : steps) {
            step.takenDateFallback = fallback;
        }
        return planned(std::move(steps), filesLooked);
    };
    return pass.run();
}

std::optional<SortPlan> PlanSort(RunHost& host) {
    std::optional<QList<CheckedInputs>> checked = CheckInputsOf(host);
    if (!checked) {
        return std::nullopt;
    }
    SortPlan plan;
    plan.outputFolder = QFile::encodeName(checked->first().inputs.outputFolder);
    plan.outcomes = PlanFileByFile(host, std::move(*checked), [&plan](QList<PlanStep> steps, int) {
        plan.steps += std::move(steps);
        return true;
    });
    return plan;
}

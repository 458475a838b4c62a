#include "engine/SortPass.h"

#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "engine/ActionRecorder.h"
#include "engine/Interruption.h"
#include "engine/RunHost.h"
#include "engine/SortContext.h"
#include "engine/criteria/Criterion.h"
#include "engine/criteria/CriterionPages.h"
#include "engine/criteria/ExtensionFilter.h"
#include "engine/placement/MoveBatch.h"
#include "engine/placement/PlacementActions.h"
#include "engine/placement/PlacementBatch.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// True when the output folder's text names exactly one folder: a name that was not valid text when it was chosen
// holds U+FFFD instead of its bytes, and would make another folder than the one chosen.
bool namesItsFolder(const QString& outputFolder) {
    return !outputFolder.contains(QChar::ReplacementCharacter) &&
           QFile::decodeName(QFile::encodeName(outputFolder)) == outputFolder;
}

// Why the filter passes over a file of extension; nothing when it lets the file through.
std::optional<QString> filterRefusal(const RunInputs& inputs, const QByteArray& extension) {
    if (inputs.page == ImagePage) {
        return PictureTypeAccepts(inputs.filter, extension) ? std::nullopt
                                                            : std::optional(PictureTypeRefusal(extension));
    }
    return ExtensionFilterAccepts(inputs.filter, extension)
               ? std::nullopt
               : std::optional(ExtensionFilterRefusal(inputs.filter, extension));
}

} // namespace

bool CheckRunInputs(RunHost& host, const RunInputs& inputs) {
    if (host.fileCount() == 0) {
        host.showMessage(QCoreApplication::translate("SortRun", "没有需要分拣的文件!"));
        return false;
    }
    if (inputs.page != ImagePage && inputs.filter.include && inputs.filter.typeList.isEmpty()) {
        host.showMessage(QCoreApplication::translate("SortRun", "如果选择了只分拣某些文件类型，则类型不应当为空！"));
        return false;
    }
    if (!namesItsFolder(inputs.outputFolder)) {
        host.showMessage(QCoreApplication::translate("SortRun", "输出文件夹的名称无法识别，请重新选择输出文件夹。"));
        return false;
    }
    return true;
}

std::unique_ptr<Criterion> CriterionFor(RunHost& host, const RunInputs& inputs) {
    ParameterOutcome parameters = RunParameterStep(inputs);
    if (const InputError* error = std::get_if<InputError>(&parameters)) {
        host.showInputError(*error);
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<Criterion>>(parameters));
}

RunReport SortPass::run() {
    const int count = host.fileCount();
    RunReport report;
    Pending pending;
    for (int i = 0; i < count && !report.stopped; ++i) {
        const QByteArray source = host.fileAt(i);
        if (moves) {
            host.showProgress(i, count, source);
        }
        const bool passedOver = !sortFile(source, report, pending);
        if (afterFile && !afterFile(i + 1)) {
            report.stopped = true;
            report.notReached = count - i - 1;
        }
        if (passedOver) {
            continue;
        }
        if (batch && batch->full()) {
            batch->flush();
        }
        countPlaced(report, pending);
        if (moves && moves->full()) {
            makeAll(report, pending);
            settle(report, pending);
        }
        if (moves) {
            host.setProgress(int(qint64(i) * 100 / host.fileCount()));
            host.processEvents();
            for (const SortStage& stage : stages) {
                stage.context.rereadOpenChoices();
            }
            if (host.stopRequested() || InterruptionRequested()) {
                report.stopped = true;
                report.notReached = count - i - 1;
            }
        }
    }
    // However the run ends, what was decided is made, and no moved file stays in both places.
    makeAll(report, pending);
    if (moves) {
        settle(report, pending);
    }
    for (const SortStage& stage : stages) {
        report.birthTimeFallbacks += stage.context.birthTimeFallbacks();
        report.takenDateFallbacks += stage.context.takenDateFallbacks();
    }
    return report;
}

void SortPass::makeAll(RunReport& report, Pending& pending) {
    if (batch) {
        batch->flush();
    }
    countPlaced(report, pending);
}

void SortPass::settle(RunReport& report, Pending& pending) {
    // The record of the copies reaches the disk before any source goes.
    if (recorder && !moves->isEmpty()) {
        (void)recorder->sync();
    }
    for (const MoveBatch::Move& move : moves->settle()) {
        report.add(move.source, move.failure.failed() ? RunOutcome::Failed : RunOutcome::Placed, move.failure);
        if (move.found == MoveBatch::SourceFound::Replaced) {
            report.onlyCopies.append(move.source);
        }
        stages[pending.stageOfMove.take(move.source)].actions.moveSettled(
            move.source, move.failure, move.found == MoveBatch::SourceFound::Changed);
    }
}

void SortPass::countPlaced(RunReport& report, Pending& pending) {
    while (!pending.files.empty() && pending.files.front().placements.resolve(batch)) {
        const PlacedFile file = std::move(pending.files.front());
        pending.files.pop_front();
        const FilePlacements& placements = file.placements;
        if (placements.sourceAwaitsDeletion()) {
            moves->add({file.source, placements.sourceRecord(), placements.failure()}, placements.last().target);
            pending.stageOfMove.insert(file.source, file.stage);
        } else {
            const RunOutcome outcome = placements.outcome();
            report.add(file.source, outcome, placements.failure());
            if (outcome == RunOutcome::Identical && placements.last().moveMode) {
                report.keptAtSource.append(file.source);
            }
        }
    }
}

bool SortPass::sortFile(const QByteArray& source, RunReport& report, Pending& pending) {
    const QByteArray extension = ExtensionOf(FileNameOf(source));
    // A file no stage takes counts as not matching when any stage's filter let it through, otherwise as filtered.
    std::optional<std::pair<PlanAction, QString>> missed;
    bool passedOver = true;
    for (int index = 0; index < stages.size(); ++index) {
        const SortStage& stage = stages[index];
        if (std::optional<QString> refusal = filterRefusal(stage.context.inputs(), extension)) {
            if (!missed) {
                missed = {PlanAction::Filtered, std::move(*refusal)};
            }
            continue;
        }
        if (recorder && stages.size() > 1) {
            recorder->chainedSortBegins(index);
        }
        stage.context.beginFile();
        FileOutcome outcome = stage.criterion.sortFile(source, extension, stage.context);
        if (outcome.kind != FileOutcome::Placed) {
            missed = {PlanAction::NoMatch, std::move(outcome.missed)};
            passedOver = outcome.kind == FileOutcome::PassedOver;
            continue;
        }
        pending.files.push_back({source, index, stage.context.takeFile()});
        return true;
    }
    passBy(source, missed->first, std::move(missed->second), report);
    return missed->first == PlanAction::NoMatch && !passedOver;
}

void SortPass::passBy(const QByteArray& source, PlanAction action, QString because, RunReport& report) {
    // A list kept from before a move names files that are gone; that says more than the rule they missed.
    if (Fs::NamesNothing(source)) {
        because = QCoreApplication::translate("PlanStep", "文件不存在");
    }
    stages.last().actions.passedBy(source, action, because);
    report.count(action == PlanAction::Filtered ? RunOutcome::Filtered : RunOutcome::NotMatching);
}

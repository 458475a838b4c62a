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

// Counts the moves of the batch, once their sources are deleted or kept. The record of their copies reaches the
// disk before any source goes.
void settle(MoveBatch& batch, RunReport& report, ActionRecorder* recorder, PlacementActions& actions) {
    if (recorder && !batch.isEmpty()) {
        (void)recorder->sync();
    }
    for (const MoveBatch::Move& move : batch.settle()) {
        report.add(move.source, move.failure.failed() ? RunOutcome::Failed : RunOutcome::Placed, move.failure);
        if (move.found == MoveBatch::SourceFound::Replaced) {
            report.onlyCopies.append(move.source);
        }
        actions.moveSettled(move.source, move.failure, move.found == MoveBatch::SourceFound::Changed);
    }
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
    for (int i = 0; i < count && !report.stopped; ++i) {
        const QByteArray source = host.fileAt(i);
        if (moves) {
            host.showProgress(i, count, source);
        }
        if (!sortFile(source, report)) {
            continue;
        }
        if (moves && moves->full()) {
            settle(*moves, report, recorder, actions);
        }
        if (moves) {
            host.setProgress(int(qint64(i) * 100 / host.fileCount()));
            host.processEvents();
            context.rereadOpenChoices();
            if (host.stopRequested() || InterruptionRequested()) {
                report.stopped = true;
                report.notReached = count - i - 1;
            }
        }
    }
    if (moves) {
        // However the run ends, no moved file stays in both places.
        settle(*moves, report, recorder, actions);
    }
    report.birthTimeFallbacks = context.birthTimeFallbacks();
    report.takenDateFallbacks = context.takenDateFallbacks();
    return report;
}

bool SortPass::sortFile(const QByteArray& source, RunReport& report) {
    const QByteArray extension = ExtensionOf(FileNameOf(source));
    if (std::optional<QString> refusal = filterRefusal(context.inputs(), extension)) {
        passBy(source, PlanAction::Filtered, std::move(*refusal), report);
        return false;
    }
    context.beginFile();
    FileOutcome outcome = criterion.sortFile(source, extension, context);
    if (outcome.kind != FileOutcome::Placed) {
        passBy(source, PlanAction::NoMatch, std::move(outcome.missed), report);
        return outcome.kind == FileOutcome::NoMatch;
    }
    if (context.sourceAwaitsDeletion()) {
        moves->add({source, context.sourceRecord(), context.failure()}, context.lastPlacement().target);
    } else {
        const RunOutcome outcome = context.outcome();
        report.add(source, outcome, context.failure());
        if (outcome == RunOutcome::Identical && context.lastPlacement().moveMode) {
            report.keptAtSource.append(source);
        }
    }
    return true;
}

void SortPass::passBy(const QByteArray& source, PlanAction action, QString because, RunReport& report) {
    // A list kept from before a move names files that are gone; that says more than the rule they missed.
    if (Fs::NamesNothing(source)) {
        because = QCoreApplication::translate("PlanStep", "文件不存在");
    }
    actions.passedBy(source, action, because);
    report.count(action == PlanAction::Filtered ? RunOutcome::Filtered : RunOutcome::NotMatching);
}

#include "engine/SortRun.h"

#include "core/FileNames.h"
#include "engine/CriterionPages.h"
#include "engine/Interruption.h"
#include "engine/MoveBatch.h"
#include "engine/RunHost.h"
#include "engine/RunReport.h"
#include "engine/SortContext.h"

#include <QFile>
#include <QHash>

using namespace Qt::StringLiterals;

namespace {

// True when the output folder's text names exactly one folder: a name that was not valid text when it was chosen
// holds U+FFFD instead of its bytes, and would make another folder than the one chosen.
bool namesItsFolder(const QString& outputFolder) {
    return !outputFolder.contains(QChar::ReplacementCharacter) &&
           QFile::decodeName(QFile::encodeName(outputFolder)) == outputFolder;
}

// False when the run must not start: nothing to sort, include mode with nothing to include, or an output folder
// whose name cannot be written.
bool checkInputs(RunHost& host) {
    if (host.fileCount() == 0) {
        host.showMessage(u"没有需要分拣的文件!"_s);
        return false;
    }
    if (host.pageIndex() != ImagePage) {
        const ExtensionFilterState filter = host.extensionFilter();
        if (filter.include && filter.typeList.isEmpty()) {
            host.showMessage(u"如果选择了只分拣某些文件类型，则类型不应当为空！"_s);
            return false;
        }
    }
    if (!namesItsFolder(host.outputFolder())) {
        host.showMessage(u"输出文件夹的名称无法识别，请重新选择输出文件夹。"_s);
        return false;
    }
    return true;
}

void normaliseOutputFolder(RunHost& host) {
    const QString folder = host.outputFolder();
    if (!folder.endsWith(u'/')) {
        host.setOutputFolder(folder + u'/');
    }
}

bool filterAccepts(RunHost& host, const QByteArray& extension) {
    const ExtensionFilterState filter = host.extensionFilter();
    return host.pageIndex() == ImagePage ? PictureTypeAccepts(filter, extension)
                                         : ExtensionFilterAccepts(filter, extension);
}

// A move made by a copy, whose step ends when its source is deleted or kept.
struct PendingMove {
    PlanStep step;
    bool earlierFailure = false; // an earlier placement of the file failed: the batch reports that failure
};

// Counts the moves of the batch, once their sources are deleted or kept, and tells host of their steps.
void settle(MoveBatch& batch, QHash<QByteArray, PendingMove>& pending, RunReport& report, RunHost& host) {
    for (const MoveBatch::Move& move : batch.settle()) {
        report.add(move.source, move.failure.failed() ? RunOutcome::Failed : RunOutcome::Placed, move.failure);
        PendingMove ended = pending.take(move.source);
        if (move.failure.failed() && !ended.earlierFailure) {
            ended.step.reason = FailureReasonOf(move.failure);
        }
        host.stepEnded(ended.step);
    }
}

void passOver(RunHost& host, const QByteArray& source, PlanAction action, RunReport& report) {
    report.count(RunOutcome::NotMatching);
    host.stepEnded({source, {}, action, std::nullopt});
}

} // namespace

void RunSort(RunHost& host) {
    if (!checkInputs(host)) {
        return;
    }
    normaliseOutputFolder(host);
    ParameterOutcome parameters = RunParameterStep(host.pageIndex(), host);
    if (const InputError* error = std::get_if<InputError>(&parameters)) {
        host.showInputError(*error);
        return;
    }
    Criterion& criterion = *std::get<std::unique_ptr<Criterion>>(parameters);

    host.setRunLock(true);
    SortContext context(host);
    MoveBatch moves;
    QHash<QByteArray, PendingMove> pendingMoves;
    const int count = host.fileCount();
    RunReport report;
    for (int i = 0; i < count && !report.stopped; ++i) {
        const QByteArray source = host.fileAt(i);
        host.showProgress(i, count, source);
        const QByteArray extension = ExtensionOf(FileNameOf(source));
        if (!filterAccepts(host, extension)) {
            passOver(host, source, PlanAction::Filtered, report);
            continue;
        }
        context.beginFile();
        const FileOutcome outcome = criterion.sortFile(source, extension, context);
        if (outcome == FileOutcome::PassedOver) {
            passOver(host, source, PlanAction::NoMatch, report);
            continue;
        }
        if (outcome == FileOutcome::NoMatch) {
            passOver(host, source, PlanAction::NoMatch, report);
        } else if (context.sourceAwaitsDeletion()) {
            pendingMoves.insert(source, {context.lastStep(), context.failed()});
            moves.add({source, context.sourceRecord(), context.failure()}, context.lastPlacement().target);
        } else {
            report.add(source, context.outcome(), context.failure());
        }
        if (moves.full()) {
            settle(moves, pendingMoves, report, host);
        }
        host.setProgress(int(qint64(i) * 100 / host.fileCount()));
        host.processEvents();
        if (host.stopRequested() || InterruptionRequested()) {
            report.stopped = true;
            report.notReached = count - i - 1;
        }
    }
    // However the run ends, no moved file stays in both places.
    settle(moves, pendingMoves, report, host);
    report.birthTimeFallbacks = context.birthTimeFallbacks();
    host.setProgress(100);
    host.setRunLock(false);
    host.showCompletion(report);
    host.setProgress(0);
}

#include "engine/SortRun.h"

#include "core/FileNames.h"
#include "engine/CriterionPages.h"
#include "engine/Interruption.h"
#include "engine/RunHost.h"
#include "engine/RunReport.h"
#include "engine/SortContext.h"

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// False when the run must not start: nothing to sort, or include mode with nothing to include.
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
    const int count = host.fileCount();
    RunReport report;
    for (int i = 0; i < count && !report.stopped; ++i) {
        const QByteArray source = host.fileAt(i);
        host.showProgress(i, count, source);
        const QByteArray extension = ExtensionOf(FileNameOf(source));
        if (!filterAccepts(host, extension)) {
            report.count(RunOutcome::NotMatching);
            continue;
        }
        context.beginFile();
        const FileOutcome outcome = criterion.sortFile(source, extension, context);
        if (outcome == FileOutcome::PassedOver) {
            report.count(RunOutcome::NotMatching);
            continue;
        }
        if (context.copied() && host.moveMode() && ::unlink(source.constData()) != 0) {
            context.noteFailure(Fs::FailureOf(Fs::Operation::DeleteSource));
        }
        report.count(outcome == FileOutcome::NoMatch ? RunOutcome::NotMatching : context.outcome());
        if (context.failed()) {
            report.failures.append({source, FailureReasonOf(context.failure()), context.failure()});
        }
        host.setProgress(int(qint64(i) * 100 / host.fileCount()));
        host.processEvents();
        if (host.stopRequested() || InterruptionRequested()) {
            report.stopped = true;
            report.notReached = count - i - 1;
        }
    }
    report.birthTimeFallbacks = context.birthTimeFallbacks();
    host.setProgress(100);
    host.setRunLock(false);
    host.showCompletion(report);
    host.setProgress(0);
}

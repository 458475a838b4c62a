#include "engine/SortRun.h"

#include "core/FileNames.h"
#include "engine/CriterionPages.h"
#include "engine/RunHost.h"
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

QString completionMessage(int failures) {
    QString message = u"分拣工作完成！"_s;
    if (failures > 0) {
        message += u"\n有 %1 个文件复制或删除失败。"_s.arg(failures);
    }
    return message;
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
    int failures = 0;
    bool stopped = false;
    for (int i = 0; i < count && !stopped; ++i) {
        const QByteArray source = host.fileAt(i);
        const QByteArray extension = ExtensionOf(FileNameOf(source));
        if (!filterAccepts(host, extension)) {
            continue;
        }
        context.beginFile();
        if (criterion.sortFile(source, extension, context) == FileOutcome::PassedOver) {
            continue;
        }
        if (context.copied() && host.moveMode() && ::unlink(source.constData()) != 0) {
            context.noteFailure();
        }
        if (context.failed()) {
            ++failures;
        }
        host.setProgress(int(qint64(i) * 100 / host.fileCount()));
        host.processEvents();
        stopped = host.stopRequested();
    }
    host.setProgress(100);
    host.setRunLock(false);
    if (stopped) {
        // The window is closing: no completion message to wait for.
        return;
    }
    host.showMessage(completionMessage(failures));
    host.setProgress(0);
}

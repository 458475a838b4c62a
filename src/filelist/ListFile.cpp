#include "filelist/ListFile.h"

#include "core/FileNames.h"
#include "core/FsAtomicFile.h"
#include "core/FsEntries.h"
#include "core/FsRegularFile.h"
#include "core/FsTemporaryNames.h"
#include "filelist/FileListModel.h"
#include "filelist/ListFileLines.h"
#include "filelist/SlicedAppender.h"

#include <cerrno>
#include <unistd.h>

namespace {

// The list file text of count entries, pathAt(i) giving entry i.
template <typename PathAt> ListFileContent contentOf(qsizetype count, PathAt pathAt) {
    ListFileContent content;
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArrayView path = pathAt(i);
        if (path.contains('\r') || path.contains('\n')) {
            if (content.leftOut++ == 0) {
                content.firstLeftOut = path.toByteArray();
            }
            continue;
        }
        content.text.append(path).append("\r\n");
    }
    return content;
}

ListFileExport written(const QByteArray& fileName, const ListFileContent& content) {
    return {Fs::ReplaceFileContent(fileName, content.text), content.leftOut, content.firstLeftOut};
}

// A line the import takes: an absolute path that leads to something, and not one of our temporary files. A
// relative path would be resolved against the program's working folder, which the list file knows nothing of.
bool importable(QByteArrayView line) {
    if (!line.startsWith('/')) {
        return false;
    }
    const QByteArray path = line.toByteArray();
    return !Fs::IsTemporaryName(FileNameOf(path)) && Fs::ReachesAnything(path);
}

} // namespace

ListFileContent ListFileContentOf(const QByteArrayList& paths) {
    return contentOf(paths.size(), [&](qsizetype i) { return QByteArrayView(paths[i]); });
}

ListFileExport WriteListFile(const QByteArray& fileName, const QByteArrayList& paths) {
    return written(fileName, ListFileContentOf(paths));
}

ListFileExport ExportListFile(const QByteArray& fileName, const FileListModel& fileList) {
    return written(fileName, contentOf(fileList.size(), [&](qsizetype row) { return fileList.view(int(row)); }));
}

QByteArrayList SplitListFileLines(QByteArrayView text) {
    QByteArrayList lines;
    const auto keep = [&](QByteArrayView line) { lines.append(line.toByteArray()); };
    ListFileLines splitter;
    splitter.feed(text, keep);
    splitter.finish(keep);
    return lines;
}

Fs::Error ReadListFile(const QByteArray& fileName, const std::function<bool(QByteArrayView line)>& line) {
    const Fs::RegularFile file(fileName);
    if (!file.isOpen()) {
        return file.error();
    }
    bool wanted = true;
    const auto take = [&](QByteArrayView text) { wanted = wanted && line(text); };
    ListFileLines splitter;
    char piece[1 << 16];
    for (;;) {
        const ssize_t got = ::read(file.descriptor(), piece, sizeof piece);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Fs::FailureOf(Fs::Operation::ReadSource);
        }
        if (got == 0 || !splitter.feed(QByteArrayView(piece, got), take) || !wanted) {
            break;
        }
    }
    splitter.finish(take);
    return {};
}

Fs::Error ImportListFile(const QByteArray& fileName, FileListModel& fileList, ScanHost& host) {
    SlicedAppender appender(fileList, host, false, kScanTimeSlice);
    const Fs::Error error = ReadListFile(fileName, [&](QByteArrayView line) {
        if (importable(line)) {
            appender.add(line);
        }
        return appender.keepWindowResponsive();
    });
    appender.showGathered();
    return error;
}

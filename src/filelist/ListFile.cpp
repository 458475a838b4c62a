#include "filelist/ListFile.h"

#include "core/FsAtomicFile.h"
#include "core/FsEntries.h"
#include "core/FsRegularFile.h"
#include "filelist/FileListModel.h"

QByteArray ListFileText(const QByteArrayList& paths) {
    qsizetype length = 0;
    for (const QByteArray& path : paths) {
        length += path.size() + 2;
    }
    QByteArray text;
    text.reserve(length);
    for (const QByteArray& path : paths) {
        text += path;
        text += "\r\n";
    }
    return text;
}

QByteArrayList SplitListFileLines(const QByteArray& text) {
    QByteArrayList lines;
    const qsizetype nul = text.indexOf('\0');
    const qsizetype end = nul < 0 ? text.size() : nul;
    qsizetype start = 0;
    for (qsizetype at = 0; at < end; ++at) {
        const char c = text[at];
        if (c != '\r' && c != '\n') {
            continue;
        }
        lines.append(text.mid(start, at - start));
        if (c == '\r' && at + 1 < end && text[at + 1] == '\n') {
            ++at;
        }
        start = at + 1;
    }
    if (start < end) {
        lines.append(text.mid(start, end - start));
    }
    return lines;
}

QByteArrayList KeepExistingPaths(const QByteArrayList& paths) {
    QByteArrayList existing;
    existing.reserve(paths.size());
    for (const QByteArray& path : paths) {
        if (Fs::ReachesAnything(path)) {
            existing.append(path);
        }
    }
    return existing;
}

Fs::Error WriteListFile(const QByteArray& fileName, const QByteArrayList& paths) {
    return Fs::ReplaceFileContent(fileName, ListFileText(paths));
}

Fs::Error ReadListFile(const QByteArray& fileName, QByteArrayList& lines) {
    QByteArray text;
    const Fs::Error error = Fs::ReadRegularFile(fileName, text);
    if (!error.failed()) {
        lines = SplitListFileLines(text);
    }
    return error;
}

Fs::Error ExportListFile(const QByteArray& fileName, const FileListModel& fileList) {
    return WriteListFile(fileName, fileList.paths());
}

Fs::Error ImportListFile(const QByteArray& fileName, FileListModel& fileList) {
    QByteArrayList lines;
    const Fs::Error error = ReadListFile(fileName, lines);
    if (!error.failed()) {
        fileList.AppendUnique(KeepExistingPaths(lines));
    }
    return error;
}

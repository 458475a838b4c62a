#include "filelist/DroppedFiles.h"

#include "core/FsEntries.h"

QByteArrayList LocalPathsFromUriList(const QByteArray& uriList) {
    static const QByteArray scheme = "file://";
    QByteArrayList paths;
    for (const QByteArray& rawLine : uriList.split('\n')) {
        const QByteArray line = rawLine.endsWith('\r') ? rawLine.chopped(1) : rawLine;
        if (!line.startsWith(scheme)) {
            continue;
        }
        // file:///path has an empty host; file://localhost/path names this machine too.
        const qsizetype pathStart = line.indexOf('/', scheme.size());
        const QByteArray host = line.mid(scheme.size(), pathStart - scheme.size());
        if (pathStart < 0 || !(host.isEmpty() || host == "localhost")) {
            continue;
        }
        paths.append(QByteArray::fromPercentEncoding(line.mid(pathStart)));
    }
    return paths;
}

QByteArrayList KeepExistingFiles(const QByteArrayList& paths) {
    QByteArrayList files;
    for (const QByteArray& path : paths) {
        if (Fs::ReachesNonFolder(path)) {
            files.append(path);
        }
    }
    return files;
}

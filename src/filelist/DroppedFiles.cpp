#include "filelist/DroppedFiles.h"

#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "core/FsTemporaryNames.h"

QByteArrayList LocalPathsFromUriList(const QByteArray& uriList) {
    static const QByteArray scheme = "file://";
    QByteArrayList paths;
    // Lines end in CR LF; a lone CR or LF ends one too, so that no raw line break is ever part of a path.
    for (const QByteArray& line : QByteArray(uriList).replace('\r', '\n').split('\n')) {
        if (!line.startsWith(scheme)) {
            continue;
        }
        // file:///path has an empty host; file://localhost/path names this machine too.
        const qsizetype pathStart = line.indexOf('/', scheme.size());
        const QByteArray host = line.mid(scheme.size(), pathStart - scheme.size());
        if (pathStart < 0 || !(host.isEmpty() || host == "localhost")) {
            continue;
        }
        // %00 would decode to a NUL byte: the system would act on the path up to it, which is not the one dropped.
        QByteArray path = QByteArray::fromPercentEncoding(line.mid(pathStart));
        if (!path.contains('\0')) {
            paths.append(std::move(path));
        }
    }
    return paths;
}

QByteArrayList KeepExistingFiles(const QByteArrayList& paths) {
    QByteArrayList files;
    for (const QByteArray& path : paths) {
        if (!Fs::IsTemporaryName(FileNameOf(path)) && Fs::ReachesNonFolder(path)) {
            files.append(path);
        }
    }
    return files;
}

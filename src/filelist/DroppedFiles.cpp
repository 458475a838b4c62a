#include "filelist/DroppedFiles.h"

#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "core/FsTemporaryNames.h"

#include <optional>

namespace {

int hexValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    const char lower = char(digit | 0x20);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// The bytes that text percent-encodes, or nothing when a '%' is not followed by two hexadecimal digits: such an
// address is malformed, and a lenient decoder would make bytes of it that the address never spelled.
std::optional<QByteArray> percentDecoded(QByteArrayView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] != '%') {
            bytes.append(text[at]);
            continue;
        }
        const int high = at + 2 < text.size() ? hexValue(text[at + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[at + 2]) : -1;
        if (low < 0) {
            return std::nullopt;
        }
        bytes.append(char(high << 4 | low));
        at += 2;
    }
    return bytes;
}

} // namespace

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
        std::optional<QByteArray> path = percentDecoded(QByteArrayView(line).sliced(pathStart));
        if (path && !path->contains('\0')) {
            paths.append(*std::move(path));
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

// Dropped files: decoding a text/uri-list into local paths, and keeping the ones that name existing files.

#include "FuzzInput.h"
#include "core/FileNames.h"
#include "core/FsTemporaryNames.h"
#include "filelist/DroppedFiles.h"

namespace {

bool holdsEncodedLineBreak(const QByteArray& text) {
    const QByteArray lower = text.toLower();
    return lower.contains("%0a") || lower.contains("%0d");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray uriList(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArrayList paths = LocalPathsFromUriList(uriList);

    // Only absolute local paths, never one with a NUL byte, at most one per line.
    FUZZ_CHECK(paths.size() <= uriList.count('\n') + uriList.count('\r') + 1);
    for (const QByteArray& path : paths) {
        FUZZ_CHECK(path.startsWith('/') && !path.contains('\0'));
    }

    // A path never spans lines: decoding line by line gives the same paths. A line break inside a path comes only
    // from its percent-encoding, never from the list's line structure.
    QByteArrayList lineByLine;
    for (const QByteArray& line : QByteArray(uriList).replace('\r', '\n').split('\n')) {
        lineByLine += LocalPathsFromUriList(line);
    }
    FUZZ_CHECK(lineByLine == paths);
    if (!holdsEncodedLineBreak(uriList)) {
        for (const QByteArray& path : paths) {
            FUZZ_CHECK(!path.contains('\r') && !path.contains('\n'));
        }
    }

    // Paths dropped by a file manager, each percent-encoded on a line of its own, come back byte for byte.
    QByteArray encoded;
    for (const QByteArray& path : paths) {
        encoded += "file://" + path.toPercentEncoding("/") + "\r\n";
    }
    FUZZ_CHECK(LocalPathsFromUriList(encoded) == paths);

    // The files kept are some of the paths, in their order, and none is a temporary file of ours.
    const QByteArrayList files = KeepExistingFiles(paths);
    qsizetype next = 0;
    for (const QByteArray& file : files) {
        next = paths.indexOf(file, next) + 1;
        FUZZ_CHECK(next > 0);
        FUZZ_CHECK(!Fs::IsTemporaryName(FileNameOf(file)));
    }
    return 0;
}

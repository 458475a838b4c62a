// The list-file reader: splitting any text into lines, and reading it back from a real file.

#include "FuzzInput.h"
#include "filelist/ListFile.h"
#include "filelist/ListFileLines.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>

namespace {

// The list file every input is written to before it is read, in a folder removed when the run ends.
QString scratchListFile() {
    static const QTemporaryDir folder;
    return folder.filePath(QStringLiteral("input.lst"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArrayList lines = SplitListFileLines(text);

    qsizetype lineBytes = 0;
    for (const QByteArray& line : lines) {
        FUZZ_CHECK(!line.contains('\r') && !line.contains('\n') && !line.contains('\0'));
        FUZZ_CHECK(line.size() <= ListFileLines::kLongestLine);
        lineBytes += line.size();
    }
    // Every line end takes at least one byte of the text.
    FUZZ_CHECK(lineBytes + lines.size() - 1 <= text.size() || lines.isEmpty());

    // A list the program writes itself reads back as the same lines, none left out.
    const ListFileContent written = ListFileContentOf(lines);
    FUZZ_CHECK(written.leftOut == 0 && SplitListFileLines(written.text) == lines);

    // Read through a real file, the text gives the same lines as in memory.
    QByteArrayList readLines;
    FUZZ_CHECK(!ReadListFile(WriteTestFile(scratchListFile(), text), [&](QByteArrayView line) {
                    readLines.append(line.toByteArray());
                    return true;
                }).failed());
    FUZZ_CHECK(readLines == lines);
    return 0;
}

// The list-file reader: splitting any text into lines, and reading it back from a real file.

#include "FuzzInput.h"
#include "ListFile.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// The list file every input is written to before it is read, in a folder removed when the run ends.
QByteArray scratchListFile() {
    static QTemporaryDir folder;
    static const QByteArray file = QFile::encodeName(folder.path()) + "/input.lst";
    return file;
}

void writeBytes(const QByteArray& fileName, const QByteArray& bytes) {
    FILE* file = std::fopen(fileName.constData(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file) == size_t(bytes.size()));
    FUZZ_CHECK(std::fclose(file) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArrayList lines = SplitListFileLines(text);

    qsizetype lineBytes = 0;
    for (const QByteArray& line : lines) {
        FUZZ_CHECK(!line.contains('\r') && !line.contains('\n') && !line.contains('\0'));
        lineBytes += line.size();
    }
    // Every line end takes at least one byte of the text.
    FUZZ_CHECK(lineBytes + lines.size() - 1 <= text.size() || lines.isEmpty());

    // A list the program writes itself reads back as the same lines.
    FUZZ_CHECK(SplitListFileLines(ListFileText(lines)) == lines);

    // Read through a real file, the text gives the same lines as in memory.
    writeBytes(scratchListFile(), text);
    QByteArrayList readLines{"unread"};
    FUZZ_CHECK(!ReadListFile(scratchListFile(), readLines).failed());
    FUZZ_CHECK(readLines == lines);
    return 0;
}

// The INI reader: any bytes as a settings file, reading keys from it and writing keys into it.

#include "FuzzInput.h"
#include "core/TextBytes.h"
#include "settings/IniDocument.h"

namespace {

// A section or key name as the program writes them: letters and digits only, never empty.
QByteArray nameOf(const QByteArray& piece, const char* fallback) {
    QByteArray name;
    for (const char c : piece) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            name += c;
        }
    }
    return name.isEmpty() ? QByteArray(fallback) : name;
}

// A value as it reads back: on one line, without blanks and control characters at either end.
void checkReadable(const std::optional<QByteArray>& value) {
    if (value) {
        FUZZ_CHECK(!value->contains('\n'));
        FUZZ_CHECK(TrimBlanksAndControls(*value) == *value);
    }
}

} // namespace

// Input: section name, NUL, key name, NUL, value, NUL, the document's bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QByteArray sectionPiece = input.takePiece();
    const QByteArray keyPiece = input.takePiece();
    const QByteArray value = input.takePiece();
    const QByteArray bytes = input.takeRest();

    IniDocument document(bytes);
    // A document nobody writes to gives back its bytes unchanged.
    FUZZ_CHECK(document.toBytes() == bytes);
    checkReadable(document.value(sectionPiece, keyPiece));

    const QByteArray section = nameOf(sectionPiece, "Parameter");
    const QByteArray key = nameOf(keyPiece, "Filter");
    // A neighbour in the same section, and the same key in another section, must not change.
    const QByteArray neighbour = key + "2";
    const QByteArray otherSection = section + "2";
    const std::optional<QByteArray> neighbourBefore = document.value(section, neighbour);
    const std::optional<QByteArray> otherBefore = document.value(otherSection, key);
    checkReadable(neighbourBefore);
    checkReadable(otherBefore);

    document.setValue(section, key, value);
    QByteArray expected = value;
    expected.replace('\r', ' ').replace('\n', ' ');
    expected = TrimBlanksAndControls(expected);
    FUZZ_CHECK(document.value(section, key) == expected);
    FUZZ_CHECK(document.value(section, neighbour) == neighbourBefore);
    FUZZ_CHECK(document.value(otherSection, key) == otherBefore);

    // The written text reads back the same, and writing the same value again changes nothing.
    const QByteArray written = document.toBytes();
    FUZZ_CHECK(IniDocument(written).value(section, key) == expected);
    document.setValue(section, key, value);
    FUZZ_CHECK(document.toBytes() == written);
    return 0;
}

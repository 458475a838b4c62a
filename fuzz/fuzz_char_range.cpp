// Taking a character range out of a name's bytes.

#include "FuzzInput.h"
#include "engine/criteria/CharRange.h"

#include <QStringDecoder>

namespace {

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// The range of UTF-16 positions in text that CopyCharRange takes, widened so that no surrogate pair is split.
QString expectedRange(const QString& text, qint64 start, qint64 count) {
    const qint64 begin = std::max<qint64>(start, 1) - 1;
    if (count <= 0 || begin >= text.size()) {
        return QString();
    }
    qsizetype first = qsizetype(begin);
    qsizetype end = count >= text.size() - first ? text.size() : first + qsizetype(count);
    if (text[first].isLowSurrogate() && first > 0 && text[first - 1].isHighSurrogate()) {
        --first;
    }
    if (text[end - 1].isHighSurrogate() && end < text.size() && text[end].isLowSurrogate()) {
        ++end;
    }
    return text.mid(first, end - first);
}

} // namespace

// Input: a byte whose lowest bit takes start and count as one byte each (small signed numbers, the usual case)
// instead of eight, then start, count and the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const bool small = input.takeByte() & 1;
    const qint64 start = small ? qint8(input.takeByte()) : input.takeInteger();
    const qint64 count = small ? qint8(input.takeByte()) : input.takeInteger();
    const QByteArray text = input.takeRest();

    const QByteArray range = CopyCharRange(text, start, count);
    // The range is a piece of the text's own bytes.
    FUZZ_CHECK(text.contains(range));
    FUZZ_CHECK(count > 0 || range.isEmpty());
    if (isValidUtf8(text)) {
        FUZZ_CHECK(range == expectedRange(QString::fromUtf8(text), start, count).toUtf8());
    }
    return 0;
}

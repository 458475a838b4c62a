#include "engine/criteria/CharRange.h"

#include <algorithm>

namespace {

bool isContinuation(const QByteArray& text, qsizetype at, unsigned char low = 0x80, unsigned char high = 0xBF) {
    if (at >= text.size()) {
        return false;
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    return byte >= low && byte <= high;
}

// The length of the valid UTF-8 sequence that begins at offset, or 1 for a byte that begins none. Overlong forms,
// encoded surrogates and values above U+10FFFF are not valid.
int sequenceLengthAt(const QByteArray& text, qsizetype offset) {
    const auto lead = static_cast<unsigned char>(text[offset]);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return isContinuation(text, offset + 1) ? 2 : 1;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return isContinuation(text, offset + 1, low, high) && isContinuation(text, offset + 2) ? 3 : 1;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return isContinuation(text, offset + 1, low, high) && isContinuation(text, offset + 2) &&
                       isContinuation(text, offset + 3)
                   ? 4
                   : 1;
    }
    return 1;
}

} // namespace

QByteArray CopyCharRange(const QByteArray& text, qint64 start, qint64 count) {
    if (count <= 0) {
        return {};
    }
    const qint64 first = std::max<qint64>(start, 1);
    qsizetype begin = -1;
    qsizetype end = -1;
    qint64 position = 1;
    // Measured from first rather than as a last position, which first + count would overflow for a huge count.
    for (qsizetype offset = 0; offset < text.size() && position - first < count;) {
        const int length = sequenceLengthAt(text, offset);
        // Four UTF-8 bytes make a surrogate pair in UTF-16: two positions.
        const qint64 positions = length == 4 ? 2 : 1;
        if (position + positions - 1 >= first) {
            begin = begin < 0 ? offset : begin;
            end = offset + length;
        }
        position += positions;
        offset += length;
    }
    return begin < 0 ? QByteArray() : text.mid(begin, end - begin);
}

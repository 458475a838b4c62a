#include "media/IsoBmffBoxes.h"

#include <algorithm>
#include <array>

quint64 BigEndianNumber(QByteArrayView field) {
    quint64 value = 0;
    for (const char byte : field) {
        value = value << 8 | quint8(byte);
    }
    return value;
}

std::optional<BoxHeader> ReadBoxHeader(const ByteSource& bytes, qint64 offset, qint64 limit) {
    std::array<char, 16> header{};
    if (offset < 0 || limit - offset < 8 || !bytes.readExactly(offset, std::span(header).first(8))) {
        return std::nullopt;
    }
    const QByteArrayView view(header.data(), qsizetype(header.size()));
    quint64 size = BigEndianNumber(view.first(4));
    BoxHeader box{quint32(BigEndianNumber(view.sliced(4, 4))), offset + 8, limit};
    if (size == 1) {
        if (limit - offset < 16 || !bytes.readExactly(offset + 8, std::span(header).subspan(8, 8))) {
            return std::nullopt;
        }
        box.contentStart = offset + 16;
        size = BigEndianNumber(view.sliced(8, 8));
    } else if (size == 0) {
        return box;
    }
    if (size < quint64(box.contentStart - offset)) {
        return std::nullopt;
    }
    // A box longer than what holds it is cut at its end: a file cut short still shows the start of its last box.
    box.end = offset + qint64(std::min(size, quint64(limit - offset)));
    return box;
}

std::optional<BoxHeader> FindBox(const ByteSource& bytes, qint64 begin, qint64 limit, quint32 type, int maxBoxes) {
    qint64 offset = begin;
    for (int looked = 0; looked < maxBoxes; ++looked) {
        const std::optional<BoxHeader> box = ReadBoxHeader(bytes, offset, limit);
        if (!box || box->type == type) {
            return box;
        }
        offset = box->end;
    }
    return std::nullopt;
}

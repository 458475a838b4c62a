#pragma once

#include "media/ByteSource.h"

#include <QtGlobal>

#include <optional>

// The boxes of an ISO base media file (MP4, MOV, 3GP, HEIF, AVIF): a 32-bit size and a four-letter type, the size
// 1 meaning a 64-bit size follows and 0 meaning the box runs to the end of what holds it. Only headers are read, so
// a box of any length is passed over by its size, never read through.

// A four-letter box type or brand as the number its bytes spell, big-endian.
constexpr quint32 FourCc(const char (&code)[5]) {
    return quint32(quint8(code[0])) << 24 | quint32(quint8(code[1])) << 16 | quint32(quint8(code[2])) << 8 |
           quint32(quint8(code[3]));
}

struct BoxHeader {
    quint32 type = 0;
    qint64 contentStart = 0; // the first byte after the header
    qint64 end = 0;          // the first byte after the box, never past the end of what holds it
};

// The header of the box at offset, inside a range that ends at limit; none when it does not fit there or its size
// is smaller than its header.
std::optional<BoxHeader> ReadBoxHeader(const ByteSource& bytes, qint64 offset, qint64 limit);

// The first box of type among the boxes from begin to limit, looking at no more than maxBoxes headers; none when
// it is not there, or a damaged header hides what follows.
std::optional<BoxHeader> FindBox(const ByteSource& bytes, qint64 begin, qint64 limit, quint32 type, int maxBoxes);

// The big-endian unsigned number in the bytes of field (at most eight).
quint64 BigEndianNumber(QByteArrayView field);

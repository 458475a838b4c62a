#include "cli/Utf8Bytes.h"

namespace {
bool inRange(QByteArrayView bytes, qsizetype at, unsigned char low, unsigned char high) {
    if (at >= bytes.size()) {
        return false;
    }
    const auto byte = static_cast<unsigned char>(bytes[at]);
    return byte >= low && byte <= high;
}
} // namespace

int Utf8SequenceLength(QByteArrayView bytes, qsizetype at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
        return 1;
    }
    // The second byte's range depends on the lead byte: it rules out overlong forms, surrogates (ED A0..BF) and
    // code points past U+10FFFF; every further byte is a plain continuation byte.
    int length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;
        secondHigh = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (!inRange(bytes, at + 1, secondLow, secondHigh)) {
        return 0;
    }
    for (int i = 2; i < length; ++i) {
        if (!inRange(bytes, at + i, 0x80, 0xBF)) {
            return 0;
        }
    }
    return length;
}

bool IsValidUtf8(QByteArrayView bytes) {
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = Utf8SequenceLength(bytes, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

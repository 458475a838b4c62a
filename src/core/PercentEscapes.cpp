#include "core/PercentEscapes.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool alwaysEscaped(quint8 byte) {
    return byte <= 0x20 || byte == 0x7F || byte == '%';
}

int hexValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    return -1;
}

} // namespace

QByteArray PercentEscaped(QByteArrayView value, QByteArrayView alsoEscaped) {
    QByteArray escaped;
    escaped.reserve(value.size());
    for (const char byte : value) {
        if (alwaysEscaped(quint8(byte)) || alsoEscaped.contains(byte)) {
            escaped.append('%').append(kHexDigits[quint8(byte) >> 4]).append(kHexDigits[quint8(byte) & 0xF]);
        } else {
            escaped.append(byte);
        }
    }
    return escaped;
}

std::optional<QByteArray> PercentUnescaped(QByteArrayView escaped) {
    QByteArray value;
    value.reserve(escaped.size());
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const quint8 byte = quint8(escaped[i]);
        if (byte != '%') {
            if (alwaysEscaped(byte)) {
                return std::nullopt;
            }
            value.append(char(byte));
            continue;
        }
        const int high = i + 2 < escaped.size() ? hexValue(escaped[i + 1]) : -1;
        const int low = high < 0 ? -1 : hexValue(escaped[i + 2]);
        if (low < 0) {
            return std::nullopt;
        }
        value.append(char(high << 4 | low));
        i += 2;
    }
    return value;
}

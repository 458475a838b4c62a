#include "core/PercentEscapes.h"

#include <array>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

constexpr bool alwaysEscaped(quint8 byte) {
    return byte <= 0x20 || byte == 0x7F || byte == '%';
}

constexpr std::array<bool, 256> kAlwaysEscaped = [] {
    std::array<bool, 256> escaped{};
    for (int byte = 0; byte < 256; ++byte) {
        escaped[size_t(byte)] = alwaysEscaped(quint8(byte));
    }
    return escaped;
}();

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
    AppendPercentEscaped(escaped, value, alsoEscaped);
    return escaped;
}

void AppendPercentEscaped(QByteArray& text, QByteArrayView value, QByteArrayView alsoEscaped) {
    text.reserve(text.size() + value.size());
    const char* run = value.data();
    const char* const end = value.data() + value.size();
    for (const char* at = run; at != end; ++at) {
        const quint8 byte = quint8(*at);
        if (!kAlwaysEscaped[byte] && (alsoEscaped.isEmpty() || !alsoEscaped.contains(char(byte)))) {
            continue;
        }
        const char escape[3] = {'%', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
        text.append(run, at - run).append(escape, 3);
        run = at + 1;
    }
    text.append(run, end - run);
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

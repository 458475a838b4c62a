#include "core/IntegerText.h"

#include <limits>

namespace {

int digitValue(QChar c) {
    const char16_t code = c.unicode();
    if (code >= u'0' && code <= u'9') {
        return code - u'0';
    }
    if (code >= u'a' && code <= u'f') {
        return code - u'a' + 10;
    }
    if (code >= u'A' && code <= u'F') {
        return code - u'A' + 10;
    }
    return -1;
}

// Takes an optional "+" or "-" off the front of text; true when it was "-".
bool takeSign(QStringView& text) {
    if (text.startsWith(u'+') || text.startsWith(u'-')) {
        const bool negative = text.front() == u'-';
        text = text.mid(1);
        return negative;
    }
    return false;
}

// The value of digits, all of them in base, negated when negative, or nothing when digits is empty, holds anything
// else or leaves minimum..maximum.
std::optional<qint64> valueOfDigits(QStringView digits, int base, bool negative, qint64 minimum, qint64 maximum) {
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    // The magnitude of the smallest 64-bit number; any larger magnitude fits nowhere.
    constexpr quint64 magnitudeLimit = quint64(std::numeric_limits<qint64>::max()) + 1;
    quint64 magnitude = 0;
    for (const QChar c : digits) {
        const int digit = digitValue(c);
        if (digit < 0 || digit >= base || magnitude > (magnitudeLimit - quint64(digit)) / quint64(base)) {
            return std::nullopt;
        }
        magnitude = magnitude * quint64(base) + quint64(digit);
    }
    if (!negative && magnitude == magnitudeLimit) {
        return std::nullopt;
    }
    // Two's complement negation of the magnitude, which is exact for the smallest 64-bit number too.
    const qint64 value = negative ? qint64(~magnitude + 1) : qint64(magnitude);
    if (value < minimum || value > maximum) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<qint64> ParseIntegerField(const QString& text, qint64 minimum, qint64 maximum) {
    QStringView rest(text);
    while (rest.startsWith(u' ')) {
        rest = rest.mid(1);
    }
    const bool negative = takeSign(rest);
    int base = 10;
    if (rest.startsWith(u"0x") || rest.startsWith(u"0X")) {
        base = 16;
        rest = rest.mid(2);
    } else if (rest.startsWith(u'$') || rest.startsWith(u'x') || rest.startsWith(u'X')) {
        base = 16;
        rest = rest.mid(1);
    }
    return valueOfDigits(rest, base, negative, minimum, maximum);
}

std::optional<int> ParseDecimalPosition(const QString& text) {
    QStringView rest(text);
    const bool negative = takeSign(rest);
    const std::optional<qint64> value =
        valueOfDigits(rest, 10, negative, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    return value ? std::optional<int>(int(*value)) : std::nullopt;
}

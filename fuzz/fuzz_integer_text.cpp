// The integer parsers of the number fields, the range positions, the folder picker's level box and the settings
// file, each checked against the value the digits have when Qt converts them on their own.

#include "FuzzInput.h"
#include "core/IntegerText.h"
#include "filelist/FolderScan.h"
#include "settings/SettingValueText.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 int32Min = std::numeric_limits<qint32>::min();
constexpr qint64 int32Max = std::numeric_limits<qint32>::max();
constexpr qint64 int64Min = std::numeric_limits<qint64>::min();
constexpr qint64 int64Max = std::numeric_limits<qint64>::max();

bool allDigits(QStringView digits, int base) {
    const auto isDigit = [base](QChar c) {
        const char16_t code = c.unicode();
        return (code >= u'0' && code <= u'9') ||
               (base == 16 && ((code >= u'a' && code <= u'f') || (code >= u'A' && code <= u'F')));
    };
    return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), isDigit);
}

// The signed value of digits in base, when it lies within minimum..maximum.
std::optional<qint64> valueOf(QStringView digits, int base, bool negative, qint64 minimum, qint64 maximum) {
    if (!allDigits(digits, base)) {
        return std::nullopt;
    }
    bool ok = false;
    const quint64 magnitude = digits.toULongLong(&ok, base);
    const quint64 limit = negative ? quint64(int64Max) + 1 : quint64(int64Max);
    if (!ok || magnitude > limit) {
        return std::nullopt;
    }
    const qint64 value = negative ? (magnitude == limit ? int64Min : -qint64(magnitude)) : qint64(magnitude);
    return value >= minimum && value <= maximum ? std::optional<qint64>(value) : std::nullopt;
}

bool takeSign(QStringView& text) {
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+')) {
        text = text.sliced(1);
    }
    return negative;
}

std::optional<qint64> expectedField(QStringView text, qint64 minimum, qint64 maximum) {
    while (text.startsWith(u' ')) {
        text = text.sliced(1);
    }
    const bool negative = takeSign(text);
    for (const QStringView prefix : {u"0x", u"0X", u"$", u"x", u"X"}) {
        if (text.startsWith(prefix)) {
            return valueOf(text.sliced(prefix.size()), 16, negative, minimum, maximum);
        }
    }
    return valueOf(text, 10, negative, minimum, maximum);
}

std::optional<int> expectedPosition(QStringView text) {
    const bool negative = takeSign(text);
    const std::optional<qint64> value = valueOf(text, 10, negative, int32Min, int32Max);
    return value ? std::optional<int>(int(*value)) : std::nullopt;
}

int expectedSettingInteger(const QByteArray& bytes, int fallback) {
    const QString text = QString::fromLatin1(bytes);
    QStringView rest(text);
    std::optional<qint64> value;
    if (rest.size() > 2 && (rest.startsWith(u"0x") || rest.startsWith(u"0X"))) {
        value = valueOf(rest.sliced(2), 16, false, int32Min, int32Max);
    } else {
        const bool negative = takeSign(rest);
        value = valueOf(rest, 10, negative, int32Min, int32Max);
    }
    return value ? int(*value) : fallback;
}

} // namespace

// Input: a byte whose lowest bit reads the text as UTF-16 and whose next two bits choose the range of the number
// field (64-bit, 32-bit or two numbers from the input), then the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const quint8 mode = input.takeByte();
    const int range = (mode >> 1) & 3;
    qint64 minimum = int64Min;
    qint64 maximum = int64Max;
    if (range == 1) {
        minimum = int32Min;
        maximum = int32Max;
    } else if (range >= 2) {
        minimum = input.takeInteger();
        maximum = input.takeInteger();
    }
    const QByteArray bytes = input.takeRest();
    const QString text = FuzzInput::textOf(bytes, mode & 1);

    const std::optional<qint64> field = ParseIntegerField(text, minimum, maximum);
    FUZZ_CHECK(!field || (*field >= minimum && *field <= maximum));
    FUZZ_CHECK(field == expectedField(text, minimum, maximum));

    const std::optional<int> position = ParseDecimalPosition(text);
    FUZZ_CHECK(position == expectedPosition(text));
    // The level box allows blanks around the number and is otherwise a position.
    FUZZ_CHECK(ParseScanDepth(text) == expectedPosition(QStringView(text).trimmed()));

    const int fallback = int(minimum);
    FUZZ_CHECK(ParseSettingInteger(bytes, fallback) == expectedSettingInteger(bytes, fallback));
    return 0;
}

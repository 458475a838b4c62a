#include "media/ExifDateText.h"

#include <optional>

namespace {

constexpr int kMaxOffsetMinutes = 14 * 60;

QByteArrayView withoutPadding(QByteArrayView text) {
    while (!text.isEmpty() && (text.back() == '\0' || text.back() == ' ')) {
        text.chop(1);
    }
    return text;
}

// The number in the digits of text at from, count of them; -1 when one is not a digit.
int digitsAt(QByteArrayView text, qsizetype from, qsizetype count) {
    int value = 0;
    for (const char digit : text.sliced(from, count)) {
        if (digit < '0' || digit > '9') {
            return -1;
        }
        value = value * 10 + (digit - '0');
    }
    return value;
}

bool hasSeparators(QByteArrayView text, std::initializer_list<std::pair<qsizetype, char>> separators) {
    for (const auto& [at, separator] : separators) {
        if (text[at] != separator) {
            return false;
        }
    }
    return true;
}

std::optional<int> offsetSeconds(QByteArrayView text) {
    text = withoutPadding(text);
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':') {
        return std::nullopt;
    }
    const int hours = digitsAt(text, 1, 2);
    const int minutes = digitsAt(text, 4, 2);
    if (hours < 0 || minutes < 0 || minutes >= 60 || hours * 60 + minutes > kMaxOffsetMinutes) {
        return std::nullopt;
    }
    return (text[0] == '-' ? -60 : 60) * (hours * 60 + minutes);
}

} // namespace

TakenDate TakenDateOfExifTexts(QByteArrayView dateTime, QByteArrayView offset) {
    dateTime = withoutPadding(dateTime);
    if (dateTime.size() != 19 || !hasSeparators(dateTime, {{4, ':'}, {7, ':'}, {10, ' '}, {13, ':'}, {16, ':'}})) {
        return {};
    }
    const int year = digitsAt(dateTime, 0, 4);
    const int month = digitsAt(dateTime, 5, 2);
    const int day = digitsAt(dateTime, 8, 2);
    const int hour = digitsAt(dateTime, 11, 2);
    const int minute = digitsAt(dateTime, 14, 2);
    const int second = digitsAt(dateTime, 17, 2);
    // A blank field is -1; QDate has no year 0, so the zero date is invalid too.
    if (year < 1 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0) {
        return {};
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (const std::optional<int> seconds = offsetSeconds(offset)) {
        return TakenDate::withOffset(date, time, *seconds);
    }
    return TakenDate::asWritten(date, time);
}

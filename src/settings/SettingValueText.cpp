#include "settings/SettingValueText.h"

#include "core/RegionalFormats.h"
#include "core/TextBytes.h"

#include <algorithm>
#include <type_traits>

using namespace Qt::StringLiterals;

namespace {

const QString kPlainDateFormat = u"yyyy-MM-dd"_s;
const QString kPlainTimeFormat = u"HH:mm:ss"_s;

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    return isDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// format with every run of the pattern letter outside quoted literal text replaced by replacement.
QString replacePatternLetter(const QString& format, QChar letter, const QString& replacement) {
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        if (format[i] == u'\'') {
            quoted = !quoted;
        } else if (!quoted && format[i] == letter) {
            while (i < format.size() && format[i] == letter) {
                ++i;
            }
            result += replacement;
            continue;
        }
        result += format[i];
        ++i;
    }
    return result;
}

// format without what surrounded a removed time zone: blanks, brackets and the comma before it.
QString trimZoneSeparators(const QString& format) {
    const auto isSeparator = [](QChar c) { return c.isSpace() || u"()[],"_s.contains(c); };
    qsizetype begin = 0;
    qsizetype end = format.size();
    while (begin < end && isSeparator(format[begin])) {
        ++begin;
    }
    while (end > begin && isSeparator(format[end - 1])) {
        --end;
    }
    return format.mid(begin, end - begin);
}

// True when format has a day-period (AM/PM) section and the locale's day-period texts differ in length, in any
// letter case. Qt 6.4 then reads past the end of a string while it parses the section: having matched the shorter
// text, it copies as many characters from it as the longer one has.
bool hasUnequalDayPeriods(const QString& format, const QLocale& locale) {
    const QString withoutDayPeriod =
        replacePatternLetter(replacePatternLetter(format, u'a', QString()), u'A', QString());
    if (withoutDayPeriod == format) {
        return false;
    }
    const qsizetype length = locale.amText().size();
    for (const QString& text : {locale.amText(), locale.pmText()}) {
        if (text.size() != length || text.toUpper().size() != length || text.toLower().size() != length) {
            return true;
        }
    }
    return false;
}

// The value in text read with format, or an invalid value when it does not read or cannot be read safely.
template <typename Value> Value parseWith(const QLocale& locale, const QString& text, const QString& format) {
    if (hasUnequalDayPeriods(format, locale)) {
        return Value();
    }
    if constexpr (std::is_same_v<Value, QDate>) {
        return locale.toDate(text, format);
    } else {
        return locale.toTime(text, format);
    }
}

template <typename Value>
std::optional<Value> parseSetting(const QString& text, const QLocale& locale, const QString& localeFormat,
                                  const QString& plainFormat) {
    for (const Value value :
         {parseWith<Value>(locale, text, localeFormat), parseWith<Value>(QLocale::c(), text, plainFormat)}) {
        if (value.isValid()) {
            return value;
        }
    }
    return std::nullopt;
}

// The value in the locale's format, unless that text does not read back (after the trimming every read does).
template <typename Value>
QString settingText(Value value, const QLocale& locale, const QString& localeFormat, const QString& plainFormat) {
    if (!value.isValid()) {
        return QString();
    }
    const QString text = TrimBlanksAndControls(locale.toString(value, localeFormat));
    return parseWith<Value>(locale, text, localeFormat) == value ? text : QLocale::c().toString(value, plainFormat);
}

} // namespace

int ParseSettingInteger(QByteArrayView text, int fallback) {
    const bool hexadecimal = text.size() > 2 && (text.startsWith("0x") || text.startsWith("0X"));
    const QByteArrayView digits = hexadecimal                                      ? text.sliced(2)
                                  : (text.startsWith('-') || text.startsWith('+')) ? text.sliced(1)
                                                                                   : text;
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), hexadecimal ? isHexDigit : isDecimalDigit)) {
        return fallback;
    }
    bool ok = false;
    const int value = hexadecimal ? digits.toInt(&ok, 16) : text.toInt(&ok, 10);
    return ok ? value : fallback;
}

QString SettingDateFormat(const QLocale& locale) {
    return replacePatternLetter(ShortDateFormat(locale), u'y', u"yyyy"_s);
}

QString SettingTimeFormat(const QLocale& locale) {
    const QString format = LongTimeFormat(locale);
    const QString withoutZone = replacePatternLetter(format, u't', QString());
    return withoutZone == format ? format : trimZoneSeparators(withoutZone);
}

std::optional<QDate> ParseSettingDate(const QString& text, const QLocale& locale) {
    return parseSetting<QDate>(text, locale, SettingDateFormat(locale), kPlainDateFormat);
}

std::optional<QTime> ParseSettingTime(const QString& text, const QLocale& locale) {
    return parseSetting<QTime>(text, locale, SettingTimeFormat(locale), kPlainTimeFormat);
}

QString DateSettingText(QDate date, const QLocale& locale) {
    return settingText(date, locale, SettingDateFormat(locale), kPlainDateFormat);
}

QString TimeSettingText(QTime time, const QLocale& locale) {
    // The pickers show whole seconds; milliseconds are not kept.
    const QTime wholeSeconds = time.isValid() ? QTime(time.hour(), time.minute(), time.second()) : time;
    return settingText(wholeSeconds, locale, SettingTimeFormat(locale), kPlainTimeFormat);
}

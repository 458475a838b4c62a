#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include <optional>

// How integer, date and time values of the settings file are read from and written as text.

// Reads an integer: decimal with an optional sign, or hexadecimal when the text starts with "0x" or "0X" and is
// longer than two characters. Anything else, a number outside the range of int included, gives fallback.
int ParseSettingInteger(QByteArrayView text, int fallback);

// The format dates are written in: the locale's short date format with its year widened to four digits, since a
// two-digit year would bring 2013 back as 1913.
QString SettingDateFormat(const QLocale& locale = QLocale::system());

// The format times are written in: the locale's long time format without its time-zone part, which the time of day
// of a picker does not have and which would not read back.
QString SettingTimeFormat(const QLocale& locale = QLocale::system());

// A date or a time as written. A text that the locale's own parser would not read back (a few locales use digits
// or day-period names that Qt formats but does not parse) is written as yyyy-MM-dd or HH:mm:ss instead, so every
// value written reads back unchanged. An invalid value gives an empty text.
QString DateSettingText(QDate date, const QLocale& locale = QLocale::system());
QString TimeSettingText(QTime time, const QLocale& locale = QLocale::system());

// A date or time read with the format above, or as yyyy-MM-dd or HH:mm:ss; nothing when the text is neither. A format
// with a day-period (AM/PM) section is not read in a locale whose two day-period texts differ in length, which Qt's
// parser cannot do safely; such locales write the plain form.
std::optional<QDate> ParseSettingDate(const QString& text, const QLocale& locale = QLocale::system());
std::optional<QTime> ParseSettingTime(const QString& text, const QLocale& locale = QLocale::system());

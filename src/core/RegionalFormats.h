#pragma once

#include <QLocale>
#include <QString>

// The user's regional date and time formats: the locale's short date format and long time format. The C (POSIX)
// locale has no customary ones, so it gets yyyy/M/d and HH:mm:ss.
QString ShortDateFormat(const QLocale& locale = QLocale::system());
QString LongTimeFormat(const QLocale& locale = QLocale::system());

#include "core/RegionalFormats.h"

using namespace Qt::StringLiterals;

namespace {
bool isPosix(const QLocale& locale) {
    return locale.language() == QLocale::C;
}
} // namespace

QString ShortDateFormat(const QLocale& locale) {
    return isPosix(locale) ? u"yyyy/M/d"_s : locale.dateFormat(QLocale::ShortFormat);
}

QString LongTimeFormat(const QLocale& locale) {
    return isPosix(locale) ? u"HH:mm:ss"_s : locale.timeFormat(QLocale::LongFormat);
}

#include "engine/DateCriterion.h"

#include "core/RegionalFormats.h"
#include "engine/RunHost.h"

QString DateFolderName(const QDate& date, const QLocale& locale) {
    return locale.toString(date, ShortDateFormat(locale)).replace(u'/', u'-').replace(u'\\', u'-');
}

namespace {
constexpr int lastPackableYear = 2107;

quint64 packChosenMoment(const QDate& date, const QTime& time) {
    if (date.year() > lastPackableYear) {
        return quint64(1) << 32;
    }
    // A time picker without a time stands for midnight.
    const QTime clock = time.isValid() ? time : QTime(0, 0);
    return PackDosDateTime(date.year(), date.month(), date.day(), clock.hour(), clock.minute(), clock.second());
}
} // namespace

DateCriterion::DateCriterion(bool earlier, TimeRoute route, const QDate& date, const QTime& time, QByteArray folder)
    : SingleFolderCriterion(std::move(folder)), m_earlier(earlier), m_route(route),
      m_chosen(packChosenMoment(date, time)) {}

SingleFolderCriterion::Verdict DateCriterion::judge(const QByteArray& source) const {
    const std::optional<quint32> modified = ReadModifiedTime(source, m_route);
    if (!modified) {
        return Verdict::Unmeasurable;
    }
    const bool matches = m_earlier ? *modified < m_chosen : *modified > m_chosen;
    return matches ? Verdict::Match : Verdict::NoMatch;
}

ParameterOutcome DateParameterStep(const RunHost& host) {
    const DatePageFields fields = host.datePage();
    const QByteArray folder = EnsureRunFolder(host, DateFolderName(fields.date));
    const TimeRoute route = fields.directoryLookup ? TimeRoute::DirectoryLookup : TimeRoute::OpenHandle;
    return std::make_unique<DateCriterion>(fields.condition == 0, route, fields.date, fields.time, folder);
}

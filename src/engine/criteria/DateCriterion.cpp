#include "engine/criteria/DateCriterion.h"

#include "core/RegionalFormats.h"
#include "engine/RunHost.h"
#include "engine/SortContext.h"

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

DateCriterion::DateCriterion(bool earlier, bool creationTime, const QDate& date, const QTime& time,
                             QString subFolderName)
    : SingleFolderCriterion(std::move(subFolderName)), m_earlier(earlier), m_creationTime(creationTime),
      m_chosen(packChosenMoment(date, time)) {}

SingleFolderCriterion::Verdict DateCriterion::judge(const QByteArray& source, SortContext& context) const {
    std::optional<quint32> moment;
    if (m_creationTime) {
        const CreationTime created = ReadCreationTime(source);
        if (created.fromModification) {
            context.noteBirthTimeFallback();
        }
        moment = created.packed;
    } else {
        moment = ReadModifiedTime(source);
    }
    if (!moment) {
        return Verdict::Unmeasurable;
    }
    const bool matches = m_earlier ? *moment < m_chosen : *moment > m_chosen;
    return matches ? Verdict::Match : Verdict::NoMatch;
}

ParameterOutcome DateParameterStep(const RunHost& host) {
    const DatePageFields fields = host.datePage();
    return std::make_unique<DateCriterion>(fields.condition == 0, fields.creationTime, fields.date, fields.time,
                                           DateFolderName(fields.date));
}

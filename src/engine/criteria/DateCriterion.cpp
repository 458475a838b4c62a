#include "engine/criteria/DateCriterion.h"

#include "core/RegionalFormats.h"
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

DateCriterion::DateCriterion(DateCondition condition, DateKind kind, const QDate& date, const QTime& time,
                             QString subFolderName)
    : SingleFolderCriterion(std::move(subFolderName)), m_condition(condition), m_kind(kind),
      m_chosen(packChosenMoment(date, time)) {}

SingleFolderCriterion::Verdict DateCriterion::judge(const QByteArray& source, SortContext& context) const {
    std::optional<quint32> moment;
    if (m_kind == DateKind::CreationTime) {
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
    const bool matches = m_condition == DateCondition::Earlier ? *moment < m_chosen : *moment > m_chosen;
    return matches ? Verdict::Match : Verdict::NoMatch;
}

ParameterOutcome DateParameterStep(const DatePageFields& fields) {
    return std::make_unique<DateCriterion>(fields.condition, fields.kind, fields.date, fields.time,
                                           DateFolderName(fields.date));
}

#include "engine/criteria/DateCriterion.h"

#include "core/RegionalFormats.h"
#include "engine/SortContext.h"
#include "engine/criteria/FileTimes.h"

#include <QCoreApplication>

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

// A moment as the reasons name it: its date as its folder would be named, with the time of day where the other
// moment of the comparison falls on the same day.
QString momentText(const QDateTime& moment, const QDate& other) {
    const QString date = DateFolderName(moment.date());
    return moment.date() == other ? date + u' ' + moment.time().toString(u"HH:mm:ss") : date;
}

QString kindText(DateKind kind) {
    switch (kind) {
    case DateKind::CreationTime:
        return QCoreApplication::translate("NoMatchReason", "创建时间");
    case DateKind::ModificationTime:
        return QCoreApplication::translate("NoMatchReason", "修改时间");
    case DateKind::TakenTime:
        return QCoreApplication::translate("NoMatchReason", "拍摄时间");
    }
    return {};
}

QString unreadableText(DateKind kind) {
    switch (kind) {
    case DateKind::CreationTime:
        return QCoreApplication::translate("NoMatchReason", "无法读取创建时间，或它不在 1980 年到 2107 年之间");
    case DateKind::ModificationTime:
        return QCoreApplication::translate("NoMatchReason", "无法读取修改时间，或它不在 1980 年到 2107 年之间");
    case DateKind::TakenTime:
        return QCoreApplication::translate("NoMatchReason", "无法读取拍摄时间，或它不在 1980 年到 2107 年之间");
    }
    return {};
}
} // namespace

DateCriterion::DateCriterion(DateCondition condition, DateKind kind, const QDate& date, const QTime& time,
                             QString subFolderName)
    : SingleFolderCriterion(std::move(subFolderName)), m_condition(condition), m_kind(kind),
      m_chosen(packChosenMoment(date, time)), m_chosenMoment(date, time.isValid() ? time : QTime(0, 0)) {}

QString DateCriterion::missedText(quint32 moment, DateKind compared) const {
    const QString relation = moment > m_chosen   ? QCoreApplication::translate("NoMatchReason", "%1 %2 晚于 %3")
                             : moment < m_chosen ? QCoreApplication::translate("NoMatchReason", "%1 %2 早于 %3")
                                                 : QCoreApplication::translate("NoMatchReason", "%1 %2 与 %3 相同");
    const QDateTime fileMoment = UnpackDosDateTime(moment);
    return relation.arg(kindText(compared), momentText(fileMoment, m_chosenMoment.date()),
                        momentText(m_chosenMoment, fileMoment.date()));
}

SingleFolderCriterion::Verdict DateCriterion::judge(const QByteArray& source, SortContext& context) const {
    std::optional<quint32> moment;
    // The time actually compared: the modification time where the file records no taken date.
    DateKind compared = m_kind;
    switch (m_kind) {
    case DateKind::CreationTime: {
        const CreationTime created = ReadCreationTime(source);
        if (created.fromModification) {
            context.noteBirthTimeFallback();
        }
        moment = created.packed;
        break;
    }
    case DateKind::ModificationTime:
        moment = ReadModifiedTime(source);
        break;
    case DateKind::TakenTime: {
        const FileTime taken = ReadFileTime(source, DateSource::Taken);
        if (taken.modificationStoodIn) {
            context.noteTakenDateFallback(source);
            compared = DateKind::ModificationTime;
        }
        moment = PackLocalMoment(taken.localMoment);
        break;
    }
    }
    if (!moment) {
        return {Verdict::Unmeasurable, unreadableText(compared)};
    }
    const bool matches = m_condition == DateCondition::Earlier ? *moment < m_chosen : *moment > m_chosen;
    return matches ? Verdict{Verdict::Match} : Verdict{Verdict::NoMatch, missedText(*moment, compared)};
}

ParameterOutcome DateParameterStep(const DatePageFields& fields) {
    return std::make_unique<DateCriterion>(fields.condition, fields.kind, fields.date, fields.time,
                                           DateFolderName(fields.date));
}

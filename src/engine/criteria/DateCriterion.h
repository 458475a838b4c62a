#pragma once

#include "engine/criteria/DosDateTime.h"
#include "engine/criteria/PageFields.h"
#include "engine/criteria/SingleFolderCriterion.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

// The folder name for date: the date in the locale's short date format, with every "/" and "\" made "-"
// (2013-5-6 in the C locale). Other separators, such as ".", stay.
QString DateFolderName(const QDate& date, const QLocale& locale = QLocale::system());

// Page 4: files whose creation time (ReadCreationTime), modification time (ReadModifiedTime) or taken time
// (ReadFileTime, the modification time for a file that records none) is strictly earlier, or strictly later, than a
// chosen local moment go into one folder named after the chosen date. Times are compared packed, at two-second
// resolution.
class DateCriterion : public SingleFolderCriterion {
public:
    DateCriterion(DateCondition condition, DateKind kind, const QDate& date, const QTime& time, QString subFolderName);

protected:
    Verdict judge(const QByteArray& source, SortContext& context) const override;

private:
    // Why a file of the packed moment does not match: the time compared, and how it stands to the chosen moment.
    QString missedText(quint32 moment, DateKind compared) const;

    DateCondition m_condition;
    DateKind m_kind;
    // The chosen moment packed; one past every packed value when it lies after 2107, so that it stays later than
    // every file. A moment before 1980 packs to 0 and so is earlier than every file.
    quint64 m_chosen;
    QDateTime m_chosenMoment; // as chosen, midnight for no time, for the reasons
};

// The parameter step of page 4: makes the folder named after the chosen date. There is nothing to refuse.
ParameterOutcome DateParameterStep(const DatePageFields& fields);

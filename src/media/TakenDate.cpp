#include "media/TakenDate.h"

TakenDate TakenDate::make(Kind kind, QDate date, QTime time, int offsetSeconds) {
    TakenDate taken;
    if (date.isValid() && time.isValid()) {
        taken.m_kind = kind;
        taken.m_date = date;
        taken.m_time = time;
        taken.m_offsetSeconds = offsetSeconds;
    }
    return taken;
}

TakenDate TakenDate::asWritten(QDate date, QTime time) {
    return make(Kind::AsWritten, date, time, 0);
}

TakenDate TakenDate::withOffset(QDate date, QTime time, int offsetSeconds) {
    return make(Kind::WithOffset, date, time, offsetSeconds);
}

TakenDate TakenDate::utc(QDate date, QTime time) {
    return make(Kind::Utc, date, time, 0);
}

QDateTime TakenDate::calendarDateTime() const {
    if (m_kind == Kind::Utc) {
        return moment().toLocalTime();
    }
    return QDateTime(m_date, m_time, Qt::OffsetFromUTC, m_offsetSeconds);
}

QDateTime TakenDate::moment() const {
    switch (m_kind) {
    case Kind::None:
        return {};
    case Kind::AsWritten:
        return QDateTime(m_date, m_time, Qt::LocalTime);
    case Kind::WithOffset:
        return QDateTime(m_date, m_time, Qt::OffsetFromUTC, m_offsetSeconds);
    case Kind::Utc:
        return QDateTime(m_date, m_time, Qt::UTC);
    }
    return {};
}

#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// When a picture or video was taken, as its file records it, and which of three kinds of time the file gives.
class TakenDate {
public:
    enum class Kind : quint8 {
        None,       // the file records no taken date: the caller falls back to the modification time and says so
        AsWritten,  // a calendar date and time in the camera's local time, whose zone the file does not give (EXIF)
        WithOffset, // a calendar date and time with its offset from UTC (EXIF with its offset tag)
        Utc,        // a moment in UTC (a movie's creation time)
    };

    // No taken date.
    TakenDate() = default;
    // Each is no taken date when the date or time is not a valid one.
    static TakenDate asWritten(QDate date, QTime time);
    static TakenDate withOffset(QDate date, QTime time, int offsetSeconds);
    static TakenDate utc(QDate date, QTime time);

    Kind kind() const { return m_kind; }
    bool exists() const { return m_kind != Kind::None; }

    // The calendar date and time that folders are named by: as the camera wrote it, with or without an offset, and
    // a UTC moment in the machine's time zone. Invalid when there is no taken date.
    QDate date() const { return calendarDateTime().date(); }
    QTime time() const { return calendarDateTime().time(); }
    // The moment, for comparisons: a time as written is taken in the machine's time zone, as the camera's clock was
    // set to local time. Invalid when there is no taken date.
    QDateTime moment() const;
    // The offset from UTC the file gives with a date of kind WithOffset, in seconds; 0 for every other kind.
    int offsetSeconds() const { return m_offsetSeconds; }

private:
    static TakenDate make(Kind kind, QDate date, QTime time, int offsetSeconds);
    // The date and time in one value whose date() and time() are the calendar ones: a time as written is held at a
    // fixed offset, so that a change of the machine's clock to or from summer time never shifts it.
    QDateTime calendarDateTime() const;

    Kind m_kind = Kind::None;
    QDate m_date;
    QTime m_time;
    int m_offsetSeconds = 0;
};

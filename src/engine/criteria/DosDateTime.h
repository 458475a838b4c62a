#pragma once

#include <QByteArray>
#include <QDateTime>

#include <optional>

// Local moments packed in the MS-DOS file date and time format, an unsigned 32-bit value with two-second
// resolution whose order as a number is the chronological order:
// bits 31-25 year - 1980, 24-21 month, 20-16 day, 15-11 hour, 10-5 minute, 4-0 second / 2 (rounded down).

// The packed value of a local moment, or 0 when its year lies before 1980 or after 2107.
quint32 PackDosDateTime(int year, int month, int day, int hour, int minute, int second);

// The local date and time of a packed value (the seconds even).
QDateTime UnpackDosDateTime(quint32 packed);

// The packed value of a local moment; nothing when it is invalid or lies outside 1980 to 2107.
std::optional<quint32> PackLocalMoment(const QDateTime& moment);

// The file times below are in local time, with the offset from UTC in force at that time (so summer and winter files
// each keep their own wall-clock time), packed. Nothing when the file is not a regular file (links are followed),
// cannot be reached, or its time lies outside 1980 to 2107.

// The modification time, read from the file opened for reading: it fails when the file cannot be opened.
std::optional<quint32> ReadModifiedTime(const QByteArray& path);

// The creation time: when the file came onto its file system (its birth time), read from the directory entry, so that
// a file that cannot be opened can still be measured. Where the file system records no birth time, the modification
// time from the same entry stands in, and fromModification says so.
struct CreationTime {
    std::optional<quint32> packed;
    bool fromModification = false;
};
CreationTime ReadCreationTime(const QByteArray& path);

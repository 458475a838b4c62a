#include "engine/criteria/DosDateTime.h"

#include "engine/criteria/FileTimes.h"

quint32 PackDosDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (year < 1980 || year > 2107) {
        return 0;
    }
    return quint32(year - 1980) << 25 | quint32(month) << 21 | quint32(day) << 16 | quint32(hour) << 11 |
           quint32(minute) << 5 | quint32(second / 2);
}

QDateTime UnpackDosDateTime(quint32 packed) {
    const QDate date(int(packed >> 25) + 1980, int(packed >> 21 & 0xF), int(packed >> 16 & 0x1F));
    const QTime time(int(packed >> 11 & 0x1F), int(packed >> 5 & 0x3F), int(packed & 0x1F) * 2);
    return QDateTime(date, time);
}

std::optional<quint32> PackLocalMoment(const QDateTime& moment) {
    if (!moment.isValid()) {
        return std::nullopt;
    }
    const QDate date = moment.date();
    const QTime time = moment.time();
    const quint32 packed =
        PackDosDateTime(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
    return packed == 0 ? std::nullopt : std::optional<quint32>(packed);
}

std::optional<quint32> ReadModifiedTime(const QByteArray& path) {
    return PackLocalMoment(ReadFileTime(path, DateSource::Modified).localMoment);
}

CreationTime ReadCreationTime(const QByteArray& path) {
    const FileTime created = ReadFileTime(path, DateSource::Created);
    return {PackLocalMoment(created.localMoment), created.modificationStoodIn};
}

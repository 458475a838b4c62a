#include "engine/DosDateTime.h"

#include "core/FsRegularFile.h"

#include <ctime>

quint32 PackDosDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (year < 1980 || year > 2107) {
        return 0;
    }
    return quint32(year - 1980) << 25 | quint32(month) << 21 | quint32(day) << 16 | quint32(hour) << 11 |
           quint32(minute) << 5 | quint32(second / 2);
}

std::optional<quint32> ReadModifiedTime(const QByteArray& path, TimeRoute route) {
    struct stat status {};
    if (route == TimeRoute::DirectoryLookup) {
        if (!Fs::LookUpRegularFile(path, status)) {
            return std::nullopt;
        }
    } else {
        const Fs::RegularFile file(path);
        if (!file.isOpen()) {
            return std::nullopt;
        }
        status = file.status();
    }
    struct tm local {};
    if (::localtime_r(&status.st_mtim.tv_sec, &local) == nullptr) {
        return std::nullopt;
    }
    const quint32 packed = PackDosDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                           local.tm_min, local.tm_sec);
    return packed == 0 ? std::nullopt : std::optional<quint32>(packed);
}

#include "engine/criteria/DosDateTime.h"

#include "core/FsRegularFile.h"

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

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

namespace {
std::optional<quint32> packLocalTime(time_t seconds) {
    struct tm local {};
    if (::localtime_r(&seconds, &local) == nullptr) {
        return std::nullopt;
    }
    const quint32 packed = PackDosDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                           local.tm_min, local.tm_sec);
    return packed == 0 ? std::nullopt : std::optional<quint32>(packed);
}
} // namespace

std::optional<quint32> ReadModifiedTime(const QByteArray& path) {
    const Fs::RegularFile file(path);
    if (!file.isOpen()) {
        return std::nullopt;
    }
    return packLocalTime(file.status().st_mtim.tv_sec);
}

CreationTime ReadCreationTime(const QByteArray& path) {
    struct statx status {};
    if (::statx(AT_FDCWD, path.constData(), AT_STATX_SYNC_AS_STAT, STATX_TYPE | STATX_MTIME | STATX_BTIME, &status) !=
            0 ||
        !S_ISREG(status.stx_mode)) {
        return {};
    }
    if ((status.stx_mask & STATX_BTIME) != 0) {
        return {packLocalTime(time_t(status.stx_btime.tv_sec)), false};
    }
    return {packLocalTime(time_t(status.stx_mtime.tv_sec)), true};
}

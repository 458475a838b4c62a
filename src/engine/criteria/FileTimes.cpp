#include "engine/criteria/FileTimes.h"

#include "core/FsRegularFile.h"
#include "media/MediaFacts.h"

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace {
FileTime localTime(time_t seconds, bool modificationStoodIn) {
    struct tm local {};
    if (::localtime_r(&seconds, &local) == nullptr) {
        return {};
    }
    const QDate date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    const QDateTime moment(date, QTime(local.tm_hour, local.tm_min, local.tm_sec));
    return {date, moment, modificationStoodIn};
}

FileTime takenTime(const QByteArray& path) {
    const Fs::RegularFile file(path);
    if (!file.isOpen()) {
        return {};
    }
    const TakenDate taken = ReadTakenDate(file);
    if (!taken.exists()) {
        return localTime(file.status().st_mtim.tv_sec, true);
    }
    return {taken.date(), taken.moment().toLocalTime(), false};
}

FileTime modifiedTime(const QByteArray& path) {
    const Fs::RegularFile file(path);
    return file.isOpen() ? localTime(file.status().st_mtim.tv_sec, false) : FileTime{};
}

FileTime creationTime(const QByteArray& path) {
    struct statx status {};
    if (::statx(AT_FDCWD, path.constData(), AT_STATX_SYNC_AS_STAT, STATX_TYPE | STATX_MTIME | STATX_BTIME, &status) !=
            0 ||
        !S_ISREG(status.stx_mode)) {
        return {};
    }
    if ((status.stx_mask & STATX_BTIME) != 0) {
        return localTime(time_t(status.stx_btime.tv_sec), false);
    }
    return localTime(time_t(status.stx_mtime.tv_sec), true);
}
} // namespace

FileTime ReadFileTime(const QByteArray& path, DateSource source) {
    switch (source) {
    case DateSource::Taken:
        return takenTime(path);
    case DateSource::Modified:
        return modifiedTime(path);
    case DateSource::Created:
        return creationTime(path);
    }
    return {};
}

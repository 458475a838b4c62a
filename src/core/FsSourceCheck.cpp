#include "core/FsSourceCheck.h"

#include <unistd.h>

namespace Fs {

namespace {

bool sameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool sameEntry(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && sameTime(a.st_ctim, b.st_ctim);
}

bool unchanged(const struct stat& now, const struct stat& then) {
    return sameEntry(now, then) && now.st_size == then.st_size && sameTime(now.st_mtim, then.st_mtim);
}

// Why the name no longer stands for the recorded source; nothing when it does.
Error changeOf(const QByteArray& path, const SourceRecord& record) {
    struct stat now {};
    struct stat entry {};
    if (::stat(path.constData(), &now) != 0 || ::lstat(path.constData(), &entry) != 0) {
        return {errno == ENOENT ? Operation::DeleteSource : Operation::VerifySource, errno};
    }
    if (now.st_dev != record.opened.st_dev || now.st_ino != record.opened.st_ino) {
        return {Operation::VerifySource, EEXIST};
    }
    const bool linkKept =
        record.link ? S_ISLNK(entry.st_mode) && sameEntry(entry, *record.link) : !S_ISLNK(entry.st_mode);
    if (!linkKept || !unchanged(now, record.opened)) {
        return {Operation::VerifySource, ESTALE};
    }
    return {};
}

} // namespace

Error DeleteUnchangedSource(const QByteArray& path, const SourceRecord& record) {
    if (const Error change = changeOf(path, record); change.failed()) {
        return change;
    }
    if (::unlink(path.constData()) != 0) {
        return FailureOf(Operation::DeleteSource);
    }
    return {};
}

} // namespace Fs

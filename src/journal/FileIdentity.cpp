#include "journal/FileIdentity.h"

#include <cerrno>

FileIdentity IdentityOf(const struct stat& status) {
    return {quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
            qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

bool LookUpIdentity(const QByteArray& path, FileIdentity& identity) {
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0) {
        return false;
    }
    identity = IdentityOf(status);
    return true;
}

bool HoldsFile(const QByteArray& path, const FileIdentity& expected) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISREG(status.st_mode) && IdentityOf(status) == expected;
}

bool NameIsFree(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) != 0 && errno == ENOENT;
}

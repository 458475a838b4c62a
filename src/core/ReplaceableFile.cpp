#include "core/ReplaceableFile.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return QByteArrayLiteral(".");
    }
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}
} // namespace

int CreateTemporaryBeside(const QByteArray& target, mode_t mode, QByteArray& path) {
    static std::atomic<unsigned> counter{0};
    const QByteArray folder = folderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = folder + "/.varnoth-" + QByteArray::number(::getpid()) + '-' + QByteArray::number(counter++) + ".part";
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

int ReplacementRefusal(const struct stat& existing) {
    if (S_ISDIR(existing.st_mode)) {
        return EISDIR;
    }
    if ((existing.st_mode & 0222) == 0) {
        return EACCES;
    }
    return 0;
}

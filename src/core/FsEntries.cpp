#include "core/FsEntries.h"

#include "core/FileNames.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace Fs {

namespace {
// The status of what path leads to, links followed, or nothing.
bool statusOf(const QByteArray& path, struct stat& status) {
    return ::stat(path.constData(), &status) == 0;
}
} // namespace

bool ReachesAnything(const QByteArray& path) {
    struct stat status {};
    return statusOf(path, status);
}

bool NamesNothing(const QByteArray& path) {
    struct stat status {};
    return !statusOf(path, status) && (errno == ENOENT || errno == ENOTDIR);
}

bool ReachesFolder(const QByteArray& path) {
    struct stat status {};
    return statusOf(path, status) && S_ISDIR(status.st_mode);
}

bool ReachesNonFolder(const QByteArray& path) {
    struct stat status {};
    return statusOf(path, status) && !S_ISDIR(status.st_mode);
}

bool NameTakenByNonFolder(const QByteArray& path) {
    return NameTakenByNonFolder(AT_FDCWD, path);
}

bool NameTakenByNonFolder(int folder, const QByteArray& name) {
    struct stat entry {};
    if (::fstatat(folder, name.constData(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    return !S_ISLNK(entry.st_mode) ? !S_ISDIR(entry.st_mode)
                                   : ::fstatat(folder, name.constData(), &entry, 0) != 0 || !S_ISDIR(entry.st_mode);
}

Error MakeFolders(const QByteArray& path, const std::function<void(const QByteArray& level)>& made) {
    for (const QByteArray& level : FolderLevels(path)) {
        if (::mkdir(level.constData(), 0777) == 0) {
            if (made) {
                made(level);
            }
        } else if (errno != EEXIST) {
            return FailureOf(Operation::MakeFolder);
        }
    }
    struct stat status {};
    if (!statusOf(path, status)) {
        return FailureOf(Operation::MakeFolder);
    }
    return S_ISDIR(status.st_mode) ? Error() : Error{Operation::MakeFolder, ENOTDIR};
}

} // namespace Fs

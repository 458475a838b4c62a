#include "core/FsEntries.h"

#include <filesystem>
#include <sys/stat.h>
#include <system_error>

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

bool ReachesFolder(const QByteArray& path) {
    struct stat status {};
    return statusOf(path, status) && S_ISDIR(status.st_mode);
}

bool ReachesNonFolder(const QByteArray& path) {
    struct stat status {};
    return statusOf(path, status) && !S_ISDIR(status.st_mode);
}

bool NameTakenByNonFolder(const QByteArray& path) {
    struct stat entry {};
    return ::lstat(path.constData(), &entry) == 0 && !ReachesFolder(path);
}

void MakeFolders(const QByteArray& path) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path.toStdString()), ignored);
}

} // namespace Fs

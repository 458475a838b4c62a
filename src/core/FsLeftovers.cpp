#include "core/FsLeftovers.h"

#include "core/FsDescriptor.h"
#include "core/FsFolderWalk.h"
#include "core/FsTemporaryNames.h"

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Fs {

namespace {
bool processEnded(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}
} // namespace

void RemoveLeftoverTemporaryFiles(int folder) {
    Descriptor readable = OpenAt(folder, ".", O_RDONLY | O_DIRECTORY);
    DIR* listing = readable.isOpen() ? ::fdopendir(readable.get()) : nullptr;
    if (!listing) {
        return;
    }
    readable.release();
    const int folderDescriptor = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
        const std::optional<pid_t> owner = TemporaryNameOwner(entry->d_name);
        if (!owner || *owner == ::getpid() || !processEnded(*owner)) {
            continue;
        }
        struct stat status {};
        if (::fstatat(folderDescriptor, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode) &&
            status.st_uid == ::geteuid()) {
            ::unlinkat(folderDescriptor, entry->d_name, 0);
        }
    }
    ::closedir(listing);
}

} // namespace Fs

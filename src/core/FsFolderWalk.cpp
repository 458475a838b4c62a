#include "core/FsFolderWalk.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Fs {

namespace {

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

Descriptor openLevel(int parent, const QByteArray& level) {
    return Descriptor(::openat(parent, level.constData(), kFolderFlags | O_NOFOLLOW));
}

// The walk of OpenFolderBeneath; with made given, a missing level is made first and then opened as any other.
Descriptor walkBeneath(int root, QByteArrayView relative, const LevelMade* made) {
    Descriptor current(::fcntl(root, F_DUPFD_CLOEXEC, 0));
    qsizetype at = 0;
    while (current.isOpen() && at < relative.size()) {
        qsizetype slash = relative.indexOf('/', at);
        if (slash < 0) {
            slash = relative.size();
        }
        const QByteArray level = relative.sliced(at, slash - at).toByteArray();
        at = slash + 1;
        if (level.isEmpty() || level == ".") {
            continue;
        }
        if (level == "..") {
            errno = EINVAL;
            return {};
        }
        Descriptor next = openLevel(current.get(), level);
        if (!next.isOpen() && errno == ENOENT && made) {
            // Made where the name is free; one that another process made meanwhile is opened as it is.
            if (::mkdirat(current.get(), level.constData(), 0777) == 0) {
                (*made)(relative.first(slash));
            } else if (errno != EEXIST) {
                return {};
            }
            next = openLevel(current.get(), level);
        }
        current = std::move(next);
    }
    return current;
}

} // namespace

Descriptor OpenFolder(const QByteArray& path) {
    return Descriptor(::open(path.constData(), kFolderFlags));
}

Descriptor OpenFolderBeneath(int root, QByteArrayView relative) {
    return walkBeneath(root, relative, nullptr);
}

Descriptor MakeFolderBeneath(int root, QByteArrayView relative, const LevelMade& made) {
    return walkBeneath(root, relative, &made);
}

} // namespace Fs

#include "core/FsFolderWalk.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Fs {

namespace {

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

} // namespace

Descriptor OpenFolder(const QByteArray& path) {
    return Descriptor(::open(path.constData(), kFolderFlags));
}

Descriptor OpenFolderBeneath(int root, QByteArrayView relative) {
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
        current = Descriptor(::openat(current.get(), level.constData(), kFolderFlags | O_NOFOLLOW));
    }
    return current;
}

} // namespace Fs

#include "testsupport/FileSystemFixtures.h"

#include <QByteArrayList>
#include <QtGlobal>

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

void MakeFolder(const QByteArray& path, mode_t mode) {
    if (::mkdir(path.constData(), mode) != 0) {
        qFatal("cannot make folder %s", path.constData());
    }
}

void MakeFile(const QByteArray& path, const QByteArray& content) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, content.constData(), size_t(content.size())) != content.size() || ::close(fd) != 0) {
        qFatal("cannot make file %s", path.constData());
    }
}

void MakeLink(const QByteArray& target, const QByteArray& link) {
    if (::symlink(target.constData(), link.constData()) != 0) {
        qFatal("cannot make link %s", link.constData());
    }
}

void MakeFifo(const QByteArray& path) {
    if (::mkfifo(path.constData(), 0644) != 0) {
        qFatal("cannot make FIFO %s", path.constData());
    }
}

void SetMode(const QByteArray& path, mode_t mode) {
    if (::chmod(path.constData(), mode) != 0) {
        qFatal("cannot change the mode of %s", path.constData());
    }
}

namespace {
// Removes name in the open folder at: a file or link by itself, a folder after everything in it, each folder opened
// below the one above, so that no path grows longer than a name.
void removeAt(int at, const char* name) {
    if (::unlinkat(at, name, 0) == 0 || (errno != EISDIR && errno != EPERM)) {
        return;
    }
    const int folder = ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) {
        return;
    }
    DIR* listing = ::fdopendir(folder);
    if (!listing) {
        ::close(folder);
        return;
    }
    // The whole listing first: a folder that changes while it is read may show an entry twice or not at all.
    QByteArrayList names;
    while (const dirent* entry = ::readdir(listing)) {
        if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0) {
            names.append(entry->d_name);
        }
    }
    for (const QByteArray& entry : names) {
        removeAt(folder, entry.constData());
    }
    ::closedir(listing);
    ::unlinkat(at, name, AT_REMOVEDIR);
}
} // namespace

void RemoveTree(const QByteArray& path) {
    removeAt(AT_FDCWD, path.constData());
}

QByteArray MakeDeepFile(const QByteArray& parent, int levels, const QByteArray& fileName) {
    const QByteArray level(250, 'd');
    QByteArray path = parent;
    int folder = ::open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; i < levels && folder >= 0; ++i) {
        const int above = folder;
        folder = ::mkdirat(above, level.constData(), 0755) == 0
                     ? ::openat(above, level.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                     : -1;
        ::close(above);
        path += '/' + level;
    }
    const int file = folder < 0 ? -1 : ::openat(folder, fileName.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (file < 0 || ::close(file) != 0 || ::close(folder) != 0) {
        qFatal("cannot make a file %d folders below %s", levels, parent.constData());
    }
    return path + '/' + fileName;
}

bool RunningAsRoot() {
    return ::geteuid() == 0;
}

bool RecordsCreationTime(const QByteArray& path) {
    struct statx status {};
    return ::statx(AT_FDCWD, path.constData(), 0, STATX_BTIME, &status) == 0 && (status.stx_mask & STATX_BTIME) != 0;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
    if (::getrlimit(RLIMIT_FSIZE, &m_saved) != 0) {
        qFatal("cannot read the file-size limit");
    }
    const rlimit lowered{bytes, m_saved.rlim_max};
    if (::setrlimit(RLIMIT_FSIZE, &lowered) != 0) {
        qFatal("cannot lower the file-size limit");
    }
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_oldHandler);
}

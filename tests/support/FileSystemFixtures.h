#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

// Awkward file-system fixtures made at test time, named by file-system bytes so that names which are not valid
// UTF-8 can be made too. Each helper stops the test program when the file system refuses.

inline void MakeFolder(const QByteArray& path, mode_t mode = 0755) {
    if (::mkdir(path.constData(), mode) != 0) {
        qFatal("cannot make folder %s", path.constData());
    }
}

inline void MakeFile(const QByteArray& path, const QByteArray& content = "data") {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, content.constData(), size_t(content.size())) != content.size() || ::close(fd) != 0) {
        qFatal("cannot make file %s", path.constData());
    }
}

inline void MakeLink(const QByteArray& target, const QByteArray& link) {
    if (::symlink(target.constData(), link.constData()) != 0) {
        qFatal("cannot make link %s", link.constData());
    }
}

inline void MakeFifo(const QByteArray& path) {
    if (::mkfifo(path.constData(), 0644) != 0) {
        qFatal("cannot make FIFO %s", path.constData());
    }
}

inline void SetMode(const QByteArray& path, mode_t mode) {
    if (::chmod(path.constData(), mode) != 0) {
        qFatal("cannot change the mode of %s", path.constData());
    }
}

// Removes a fixture tree by its bytes; QTemporaryDir cannot remove names that are not valid UTF-8.
inline void RemoveTree(const QByteArray& path) {
    ::nftw(
        path.constData(), [](const char* entry, const struct stat*, int, struct FTW*) { return ::remove(entry); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

// Root reads and writes whatever the permission bits say, so tests of unreadable or unwritable places skip then.
inline bool RunningAsRoot() {
    return ::geteuid() == 0;
}

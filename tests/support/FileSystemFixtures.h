#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <csignal>
#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
#include <sys/resource.h>
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

// Lowers this process's file-size limit to bytes while it lives, as a full disk would stop a write part-way: a
// write past the limit fails with EFBIG, since SIGXFSZ is ignored as the program ignores it. Only the soft limit is
// lowered, so that it can be raised again.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        if (::getrlimit(RLIMIT_FSIZE, &m_saved) != 0) {
            qFatal("cannot read the file-size limit");
        }
        const rlimit lowered{bytes, m_saved.rlim_max};
        if (::setrlimit(RLIMIT_FSIZE, &lowered) != 0) {
            qFatal("cannot lower the file-size limit");
        }
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*m_oldHandler)(int);
    rlimit m_saved{};
};

// Root reads and writes whatever the permission bits say, so tests of unreadable or unwritable places skip then.
inline bool RunningAsRoot() {
    return ::geteuid() == 0;
}

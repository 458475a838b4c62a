#include "testsupport/FileSystemFixtures.h"

#include <QtGlobal>

#include <csignal>
#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
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

void RemoveTree(const QByteArray& path) {
    ::nftw(
        path.constData(), [](const char* entry, const struct stat*, int, struct FTW*) { return ::remove(entry); }, 16,
        FTW_DEPTH | FTW_PHYS);
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

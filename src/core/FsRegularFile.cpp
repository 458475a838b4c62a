#include "core/FsRegularFile.h"

#include <fcntl.h>
#include <unistd.h>

namespace Fs {

namespace {

// O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused as not a regular file.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY;

} // namespace

RegularFile::RegularFile(const QByteArray& path) {
    take(Open(path, kReadFlags));
}

RegularFile::RegularFile(int folder, const QByteArray& name) {
    take(Descriptor(::openat(folder, name.constData(), kReadFlags | O_NOFOLLOW | O_CLOEXEC)));
}

bool RegularFile::unchangedSinceOpened() const {
    const auto sameTime = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    struct stat now {};
    return isOpen() && ::fstat(descriptor(), &now) == 0 && now.st_size == m_status.st_size &&
           sameTime(now.st_mtim, m_status.st_mtim) && sameTime(now.st_ctim, m_status.st_ctim);
}

void RegularFile::take(Descriptor descriptor) {
    if (!descriptor.isOpen() || ::fstat(descriptor.get(), &m_status) != 0) {
        m_error = FailureOf(Operation::OpenSource);
        return;
    }
    if (!S_ISREG(m_status.st_mode)) {
        m_error = {Operation::CheckSource, S_ISDIR(m_status.st_mode) ? EISDIR : EINVAL};
        return;
    }
    m_descriptor = std::move(descriptor);
}

Error ReadRegularFile(const QByteArray& path, QByteArray& content) {
    const RegularFile file(path);
    if (!file.isOpen()) {
        return file.error();
    }
    QByteArray read;
    read.reserve(qsizetype(file.status().st_size));
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(file.descriptor(), chunk, sizeof chunk);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FailureOf(Operation::ReadSource);
        }
        read.append(chunk, qsizetype(got));
    }
    content = std::move(read);
    return {};
}

bool LookUpRegularFile(const QByteArray& path, struct stat& status) {
    return ::stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace Fs

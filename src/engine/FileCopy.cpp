#include "engine/FileCopy.h"

#include "core/ReplaceableFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kChunkBytes = 1 << 20;

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    // Closes now and reports the error close gives (some file systems report write errors only there).
    int closeNow() {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

bool canFallBack(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EBADF;
}

// Writes all of data to out; returns 0 or an errno value.
int writeAll(int out, const char* data, qint64 length) {
    for (qint64 done = 0; done < length;) {
        const ssize_t put = ::write(out, data + done, size_t(length - done));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += put;
    }
    return 0;
}

// Copies the whole content of in to out; returns 0 or an errno value. Uses copy_file_range, which lets the kernel
// copy (or share) the blocks, and falls back to read and write where the file systems do not support it.
int copyContent(int in, int out, const CopyHooks* hooks) {
    static thread_local char buffer[1 << 16];
    const qint64 limit = hooks ? hooks->writeLimit() : std::numeric_limits<qint64>::max();
    bool kernelCopy = true;
    for (qint64 offset = 0;;) {
        const qint64 want = std::min(kChunkBytes, limit - offset);
        if (want <= 0) {
            // The limit is reached: the copy fails if there is more to write.
            const ssize_t more = ::read(in, buffer, 1);
            return more == 0 ? 0 : (more < 0 ? errno : ENOSPC);
        }
        ssize_t n = 0;
        if (kernelCopy) {
            n = ::copy_file_range(in, nullptr, out, nullptr, size_t(want), 0);
            // Once the copy has reached the file-size limit, copy_file_range refuses with EFBIG even when nothing is
            // left to copy, so a file exactly as large as the limit would fail; read and write tell the two apart.
            if (n < 0 && (canFallBack(errno) || errno == EFBIG)) {
                kernelCopy = false;
                continue;
            }
        } else {
            n = ::read(in, buffer, size_t(std::min<qint64>(want, sizeof buffer)));
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            if (kernelCopy) {
                // copy_file_range also reports 0 for files whose size the kernel does not know (some virtual file
                // systems): reading on until read() itself reports the end makes sure the copy is complete.
                kernelCopy = false;
                continue;
            }
            return 0;
        }
        if (!kernelCopy) {
            if (const int error = writeAll(out, buffer, n)) {
                return error;
            }
        }
        offset += n;
    }
}

// Moves the complete temporary file to target; returns 0 or an errno value.
int moveIntoPlace(const QByteArray& temporary, const QByteArray& target, bool failIfExists) {
    if (!failIfExists) {
        return ::rename(temporary.constData(), target.constData()) == 0 ? 0 : errno;
    }
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // File systems without RENAME_NOREPLACE: a hard link never replaces either.
    if (::link(temporary.constData(), target.constData()) != 0) {
        return errno;
    }
    ::unlink(temporary.constData());
    return 0;
}

} // namespace

int CopyRegularFile(const QByteArray& source, const QByteArray& target, const CopyOptions& options) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below as not a regular file.
    Fd in(::open(source.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (in.get() < 0) {
        return errno;
    }
    struct stat sourceStat {};
    if (::fstat(in.get(), &sourceStat) != 0) {
        return errno;
    }
    if (!S_ISREG(sourceStat.st_mode)) {
        return EINVAL;
    }

    struct stat targetStat {};
    if (::stat(target.constData(), &targetStat) == 0) {
        if (targetStat.st_dev == sourceStat.st_dev && targetStat.st_ino == sourceStat.st_ino) {
            return EINVAL;
        }
        if (options.failIfExists) {
            return EEXIST;
        }
        if (const int refusal = ReplacementRefusal(targetStat)) {
            return refusal;
        }
    }

    QByteArray temporary;
    Fd out(CreateTemporaryBeside(target, 0600, temporary));
    if (out.get() < 0) {
        return errno;
    }
    int error = copyContent(in.get(), out.get(), options.hooks);
    if (error == 0 && ::fchmod(out.get(), sourceStat.st_mode & 07777) != 0) {
        error = errno;
    }
    const struct timespec times[2] = {sourceStat.st_atim, sourceStat.st_mtim};
    if (error == 0 && ::futimens(out.get(), times) != 0) {
        error = errno;
    }
    if (error == 0 && options.durable && ::fsync(out.get()) != 0) {
        error = errno;
    }
    const int closeError = out.closeNow();
    if (error == 0) {
        error = closeError;
    }
    if (error == 0) {
        error = moveIntoPlace(temporary, target, options.failIfExists);
    }
    if (error != 0) {
        ::unlink(temporary.constData());
    }
    return error;
}

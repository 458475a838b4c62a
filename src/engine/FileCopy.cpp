#include "engine/FileCopy.h"

#include "core/FsAtomicFile.h"
#include "core/FsDescriptor.h"
#include "core/FsRegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kChunkBytes = 1 << 20;

bool canFallBack(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EBADF;
}

// Copies the whole content of in to out. Uses copy_file_range, which lets the kernel copy (or share) the blocks,
// and falls back to read and write where the file systems do not support it.
Fs::Error copyContent(int in, int out, const CopyHooks* hooks) {
    static thread_local char buffer[1 << 16];
    const qint64 limit = hooks ? hooks->writeLimit() : std::numeric_limits<qint64>::max();
    bool kernelCopy = true;
    for (qint64 offset = 0;;) {
        const qint64 want = std::min(kChunkBytes, limit - offset);
        if (want <= 0) {
            // The limit is reached: the copy fails if there is more to write.
            const ssize_t more = ::read(in, buffer, 1);
            if (more < 0) {
                return Fs::FailureOf(Fs::Operation::ReadSource);
            }
            return more == 0 ? Fs::Error() : Fs::Error{Fs::Operation::WriteTemporary, ENOSPC};
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
            return Fs::FailureOf(kernelCopy ? Fs::Operation::WriteTemporary : Fs::Operation::ReadSource);
        }
        if (n == 0) {
            if (kernelCopy) {
                // copy_file_range also reports 0 for files whose size the kernel does not know (some virtual file
                // systems): reading on until read() itself reports the end makes sure the copy is complete.
                kernelCopy = false;
                continue;
            }
            return {};
        }
        if (!kernelCopy && !Fs::WriteAll(out, QByteArrayView(buffer, n))) {
            return Fs::FailureOf(Fs::Operation::WriteTemporary);
        }
        offset += n;
    }
}

// Why source must not be copied onto target, which exists with status existing.
Fs::Error checkTarget(const struct stat& sourceStatus, const struct stat& existing, bool failIfExists) {
    if (existing.st_dev == sourceStatus.st_dev && existing.st_ino == sourceStatus.st_ino) {
        return {Fs::Operation::CheckTarget, EINVAL};
    }
    if (failIfExists) {
        return {Fs::Operation::CheckTarget, EEXIST};
    }
    return Fs::CheckReplaceable(existing);
}

} // namespace

Fs::Error CopyRegularFile(const QByteArray& source, const QByteArray& target, const CopyOptions& options) {
    const Fs::RegularFile in(source);
    if (!in.isOpen()) {
        return in.error();
    }
    const struct stat& sourceStatus = in.status();
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0) {
        if (const Fs::Error refusal = checkTarget(sourceStatus, existing, options.failIfExists); refusal.failed()) {
            return refusal;
        }
    }

    Fs::AtomicFile out;
    if (const Fs::Error error = out.create(target, 0600); error.failed()) {
        return error;
    }
    if (const Fs::Error error = copyContent(in.descriptor(), out.descriptor(), options.hooks); error.failed()) {
        return error;
    }
    const struct timespec times[2] = {sourceStatus.st_atim, sourceStatus.st_mtim};
    // The permission bits only: a copy never becomes setuid, setgid or sticky.
    if (::fchmod(out.descriptor(), sourceStatus.st_mode & 0777) != 0 || ::futimens(out.descriptor(), times) != 0) {
        return Fs::FailureOf(Fs::Operation::WriteTemporary);
    }
    return out.commit(options.failIfExists ? Fs::AtomicFile::Commit::NoReplace : Fs::AtomicFile::Commit::Replace,
                      options.durable);
}

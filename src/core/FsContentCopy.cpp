#include "core/FsContentCopy.h"

#include "core/FsFileCopy.h"
#include "core/FsInterruption.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace Fs {

namespace {

constexpr qint64 kChunkBytes = 1 << 20;
constexpr qint64 kToTheEnd = std::numeric_limits<qint64>::max();

bool canFallBack(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EBADF;
}

// Writes all of bytes to descriptor at offset, going on after interruptions and short writes.
bool writeAllAt(int descriptor, QByteArrayView bytes, qint64 offset) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t put =
            ::pwrite(descriptor, bytes.data() + done, size_t(bytes.size() - done), off_t(offset + done));
        if (put < 0 && errno != EINTR) {
            return false;
        }
        done += std::max<ssize_t>(put, 0);
    }
    return true;
}

// One copy of content from in to out, chunk by chunk.
class ContentCopy {
public:
    ContentCopy(int in, int out, const CopyHooks* hooks)
        : m_in(in), m_out(out), m_hooks(hooks),
          m_limit(hooks ? hooks->writeLimit() : std::numeric_limits<qint64>::max()) {}

    Error run(const struct stat& status);

private:
    Error copyExtent(qint64 begin, qint64 end);
    // Copies at most want bytes at offset; got is 0 at the end of the file.
    Error copyChunk(qint64 offset, qint64 want, qint64& got);
    // True when in holds data at or after offset, within end (kToTheEnd: up to the end of the file).
    bool moreToRead(qint64 offset, qint64 end) const;

    int m_in;
    int m_out;
    const CopyHooks* m_hooks;
    qint64 m_limit;
    qint64 m_written = 0;
    qint64 m_reached = 0; // the end of the data copied so far
    bool m_kernelCopy = true;
};

Error ContentCopy::run(const struct stat& status) {
    const qint64 size = status.st_size;
    // Files whose size the kernel does not know (some virtual file systems report 0) are read to their end.
    if (size == 0) {
        return copyExtent(0, kToTheEnd);
    }
    // A file with as many blocks as bytes has no holes (and most files are so): no need to look for them.
    if (qint64(status.st_blocks) * 512 >= size) {
        return copyExtent(0, size);
    }
    for (qint64 offset = 0; offset < size;) {
        const off_t data = ::lseek(m_in, off_t(offset), SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) {
                break; // no data after offset: the rest of the file is a hole
            }
            // No SEEK_DATA on this file system: all of the file is data.
            return copyExtent(offset, size);
        }
        const off_t hole = ::lseek(m_in, data, SEEK_HOLE);
        const qint64 end = hole < 0 ? size : qint64(hole);
        if (const Error error = copyExtent(qint64(data), end); error.failed()) {
            return error;
        }
        if (m_reached < end) {
            break; // the file ended inside the extent
        }
        offset = end;
    }
    // A hole at the end of the file gives the copy its size without writing it.
    if (size > m_reached && ::ftruncate(m_out, size) != 0) {
        return FailureOf(Operation::WriteTemporary);
    }
    return {};
}

Error ContentCopy::copyExtent(qint64 begin, qint64 end) {
    for (qint64 offset = begin; offset < end;) {
        if (InterruptionRequested()) {
            return {Operation::WriteTemporary, ECANCELED};
        }
        const qint64 want = std::min({kChunkBytes, end - offset, m_limit - m_written});
        if (want <= 0) {
            // The write limit is reached: the copy fails if there is more to write.
            return moreToRead(offset, end) ? Error{Operation::WriteTemporary, ENOSPC} : Error();
        }
        qint64 got = 0;
        if (const Error error = copyChunk(offset, want, got); error.failed()) {
            return error;
        }
        if (got == 0) {
            break;
        }
        offset += got;
        m_written += got;
        m_reached = offset;
        if (m_hooks) {
            m_hooks->chunkCopied(m_written);
        }
    }
    return {};
}

Error ContentCopy::copyChunk(qint64 offset, qint64 want, qint64& got) {
    for (;;) {
        if (m_kernelCopy) {
            loff_t inOffset = offset;
            loff_t outOffset = offset;
            const ssize_t n = ::copy_file_range(m_in, &inOffset, m_out, &outOffset, size_t(want), 0);
            if (n > 0) {
                got = n;
                return {};
            }
            // 0: some virtual file systems report no data although read() finds some. EFBIG: once the copy has
            // reached the file-size limit, copy_file_range refuses even when nothing is left to copy, so a file
            // exactly as large as the limit would fail; read and write tell the two apart.
            if (n == 0 || canFallBack(errno) || errno == EFBIG) {
                m_kernelCopy = false;
                continue;
            }
            if (errno == EINTR) {
                continue;
            }
            return FailureOf(Operation::WriteTemporary);
        }
        static thread_local char buffer[1 << 16];
        const ssize_t n = ::pread(m_in, buffer, size_t(std::min<qint64>(want, sizeof buffer)), off_t(offset));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FailureOf(Operation::ReadSource);
        }
        if (n > 0 && !writeAllAt(m_out, QByteArrayView(buffer, n), offset)) {
            return FailureOf(Operation::WriteTemporary);
        }
        got = n;
        return {};
    }
}

bool ContentCopy::moreToRead(qint64 offset, qint64 end) const {
    if (end != kToTheEnd) {
        return true;
    }
    char probe = 0;
    return ::pread(m_in, &probe, 1, off_t(offset)) != 0;
}

} // namespace

Error CopyContent(int in, const struct stat& status, int out, const CopyHooks* hooks) {
    return ContentCopy(in, out, hooks).run(status);
}

} // namespace Fs

#include "media/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

bool ByteSource::readExactly(qint64 offset, std::span<char> into) const {
    return readAt(offset, into) == qint64(into.size());
}

qint64 FileBytes::readAt(qint64 offset, std::span<char> into) const {
    qint64 done = 0;
    while (done < qint64(into.size()) && offset >= 0 && offset < m_size - done) {
        const ssize_t got = ::pread(m_descriptor, into.data() + done, into.size() - size_t(done), off_t(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += got;
    }
    return done;
}

qint64 MemoryBytes::readAt(qint64 offset, std::span<char> into) const {
    if (offset < 0 || offset >= m_bytes.size()) {
        return 0;
    }
    const qint64 count = std::min(qint64(into.size()), m_bytes.size() - offset);
    std::memcpy(into.data(), m_bytes.data() + offset, size_t(count));
    return count;
}

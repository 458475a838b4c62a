#include "journal/SameContent.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// Reads up to size bytes, going on after interruptions and short reads; the count read, or -1.
ssize_t readFully(int descriptor, char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(descriptor, buffer + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += size_t(got);
    }
    return ssize_t(done);
}

} // namespace

bool SameContent(const QByteArray& a, const QByteArray& b) {
    return SameContent(Fs::RegularFile(a), Fs::RegularFile(b));
}

bool SameContent(const Fs::RegularFile& first, const Fs::RegularFile& second) {
    if (!first.isOpen() || !second.isOpen() || first.status().st_size != second.status().st_size) {
        return false;
    }
    constexpr size_t kChunk = 1 << 16;
    QByteArray left(kChunk, Qt::Uninitialized);
    QByteArray right(kChunk, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = readFully(first.descriptor(), left.data(), kChunk);
        if (got < 0 || readFully(second.descriptor(), right.data(), kChunk) != got) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (std::memcmp(left.constData(), right.constData(), size_t(got)) != 0) {
            return false;
        }
    }
}

#include "core/FsSameContent.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace Fs {

namespace {

constexpr size_t kChunkBytes = size_t(1) << 20;

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

std::optional<bool> CompareContent(const RegularFile& a, const RegularFile& b, const GoOn& goOn) {
    if (!a.isOpen() || !b.isOpen()) {
        return std::nullopt;
    }
    if (a.status().st_size != b.status().st_size) {
        return false;
    }
    std::vector<char> first(kChunkBytes);
    std::vector<char> second(kChunkBytes);
    for (;;) {
        const ssize_t got = readFully(a.descriptor(), first.data(), kChunkBytes);
        if (got < 0 || readFully(b.descriptor(), second.data(), kChunkBytes) != got) {
            return got < 0 ? std::nullopt : std::optional(false);
        }
        if (std::memcmp(first.data(), second.data(), size_t(got)) != 0) {
            return false;
        }
        if (size_t(got) < kChunkBytes) {
            return a.unchangedSinceOpened() && b.unchangedSinceOpened();
        }
        if (goOn && !goOn()) {
            return std::nullopt;
        }
    }
}

bool SameContent(const RegularFile& a, const RegularFile& b) {
    return CompareContent(a, b).value_or(false);
}

bool SameContent(const QByteArray& a, const QByteArray& b) {
    return SameContent(RegularFile(a), RegularFile(b));
}

} // namespace Fs

#include "core/FsSameContent.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <unistd.h>

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
    // Exactly the bytes the sizes promise, into buffers no larger than the files: a small file costs two reads.
    qint64 left = a.status().st_size;
    const size_t bufferSize = size_t(std::min<qint64>(left, kChunkBytes));
    const auto first = std::make_unique_for_overwrite<char[]>(bufferSize);
    const auto second = std::make_unique_for_overwrite<char[]>(bufferSize);
    while (left > 0) {
        const size_t chunk = size_t(std::min<qint64>(left, kChunkBytes));
        const ssize_t got = readFully(a.descriptor(), first.get(), chunk);
        const ssize_t otherGot = got < 0 ? -1 : readFully(b.descriptor(), second.get(), chunk);
        if (got < 0 || otherGot < 0) {
            return std::nullopt;
        }
        // A file that came to its end early was cut short while it was read.
        if (size_t(got) != chunk || size_t(otherGot) != chunk || std::memcmp(first.get(), second.get(), chunk) != 0) {
            return false;
        }
        left -= qint64(chunk);
        if (left > 0 && goOn && !goOn()) {
            return std::nullopt;
        }
    }
    return a.unchangedSinceOpened() && b.unchangedSinceOpened();
}

bool SameContent(const RegularFile& a, const RegularFile& b) {
    return CompareContent(a, b).value_or(false);
}

bool SameContent(const QByteArray& a, const QByteArray& b) {
    return SameContent(RegularFile(a), RegularFile(b));
}

} // namespace Fs

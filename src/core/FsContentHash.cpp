#include "core/FsContentHash.h"

#include <xxhash.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <unistd.h>

namespace Fs {

std::optional<ContentHash> HashContent(const RegularFile& file) {
    if (!file.isOpen()) {
        return std::nullopt;
    }
    const std::unique_ptr<XXH3_state_t, decltype(&XXH3_freeState)> state(XXH3_createState(), &XXH3_freeState);
    if (!state || XXH3_128bits_reset(state.get()) != XXH_OK) {
        return std::nullopt;
    }
    // A buffer no larger than the file, with room to see that it ends where its size says.
    const size_t chunkSize = size_t(std::clamp<qint64>(file.status().st_size + 1, 1, qint64(1) << 20));
    const auto chunk = std::make_unique_for_overwrite<char[]>(chunkSize);
    qint64 total = 0;
    for (;;) {
        const ssize_t got = ::read(file.descriptor(), chunk.get(), chunkSize);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        total += got;
        (void)XXH3_128bits_update(state.get(), chunk.get(), size_t(got));
    }
    if (total != file.status().st_size || !file.unchangedSinceOpened()) {
        return std::nullopt;
    }
    const XXH128_hash_t hash = XXH3_128bits_digest(state.get());
    return ContentHash{hash.low64, hash.high64};
}

} // namespace Fs

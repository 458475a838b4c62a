#pragma once

#include "core/FsRegularFile.h"

#include <QtGlobal>

#include <optional>

namespace Fs {

// A 128-bit hash of a file's bytes (XXH3). Equal hashes only say that two files are worth comparing byte for byte;
// different ones that their bytes differ.
struct ContentHash {
    quint64 low = 0;
    quint64 high = 0;
    friend bool operator==(const ContentHash&, const ContentHash&) = default;
};

// The hash of the regular file open for reading from its start, read in chunks of 1 MiB; nothing when it cannot be
// read, or when it was written to while it was read.
std::optional<ContentHash> HashContent(const RegularFile& file);

} // namespace Fs

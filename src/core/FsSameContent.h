#pragma once

#include "core/FsRegularFile.h"

#include <QByteArray>

#include <functional>
#include <optional>

namespace Fs {

// Called between two chunks of a comparison; false stops it.
using GoOn = std::function<bool()>;

// Whether two regular files, open for reading from their start, hold the same bytes. The sizes are compared first,
// so that files of different sizes are told apart without reading them; then the contents, in chunks of 1 MiB,
// stopping at the first difference. goOn, when given, is called between two chunks (to keep a window responsive)
// and stops the comparison when it returns false. A file whose size, modification or change time moved while it was
// read compares as different: its bytes were not all read from one version. Nothing when either file cannot be read
// or the comparison was stopped.
std::optional<bool> CompareContent(const RegularFile& a, const RegularFile& b, const GoOn& goOn = {});

// True when both files can be read and hold the same bytes.
bool SameContent(const RegularFile& a, const RegularFile& b);
bool SameContent(const QByteArray& a, const QByteArray& b);

} // namespace Fs

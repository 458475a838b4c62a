#pragma once

#include "core/FsError.h"

#include <QByteArray>

#include <sys/stat.h>

namespace Fs {

// Why the file with status source must not be placed under name in the open folder folder, as a copy or by a
// rename: CheckTarget with EINVAL when the name already leads to that file (any spelling, or a hard link), EISDIR
// when a folder holds the name, EEXIST when failIfExists and something else holds it, or the refusal of
// CheckReplaceable. No failure when the name is free or may be replaced.
Error CheckTarget(const struct stat& source, int folder, const QByteArray& name, bool failIfExists);

} // namespace Fs

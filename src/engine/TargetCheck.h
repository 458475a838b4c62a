#pragma once

#include "core/FsError.h"

#include <QByteArray>

#include <sys/stat.h>

// Why the file with status source must not be placed at target, as a copy or by a rename: CheckTarget with EINVAL
// when target already is that file (any spelling, or a hard link), EEXIST when failIfExists and something holds the
// name, or the refusal of Fs::CheckReplaceable. No failure when the name is free or may be replaced.
Fs::Error CheckTarget(const struct stat& source, const QByteArray& target, bool failIfExists);

#pragma once

#include "core/FsError.h"

#include <sys/stat.h>

namespace Fs {

class CopyHooks;

// Copies the content of the open regular file in, whose status when it was opened is given, into the empty file
// out, at the same offsets: its size as it was then, and only its data extents (SEEK_DATA, SEEK_HOLE), so that
// holes stay holes and a sparse file stays sparse. The data goes through copy_file_range, which lets the kernel copy
// (or share) the blocks, and through read and write where the file systems do not support that. Between two chunks it
// stops when an interruption was requested (WriteTemporary, ECANCELED). Fails with ReadSource or WriteTemporary and the
// errno the system gave.
Error CopyContent(int in, const struct stat& status, int out, const CopyHooks* hooks);

} // namespace Fs

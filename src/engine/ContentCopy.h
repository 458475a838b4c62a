#pragma once

#include "core/FsError.h"

class CopyHooks;

// Copies the content of the open regular file in into the empty file out, at the same offsets: only its data
// extents (SEEK_DATA, SEEK_HOLE), so that holes stay holes and a sparse file stays sparse, then out is given in's
// size. The data goes through copy_file_range, which lets the kernel copy (or share) the blocks, and through read
// and write where the file systems do not support that. Between two chunks it stops when an interruption was
// requested (WriteTemporary, ECANCELED). Fails with ReadSource or WriteTemporary and the errno the system gave.
Fs::Error CopyContent(int in, int out, const CopyHooks* hooks);

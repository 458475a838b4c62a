#pragma once

#include "core/FsError.h"

#include <QByteArray>

#include <optional>
#include <sys/stat.h>

// A moved file's source is deleted by its name, some time after its copy was read. By then the name may lead to
// another file (an editor saved a new version by renaming it over the name) or the file may have grown or changed.
// The source is deleted only while its name still leads to the very file that was copied, unchanged.

namespace Fs {

// The source of a copy as it was read.
struct SourceRecord {
    struct stat opened {};           // the open source (fstat), taken before its content was read
    std::optional<struct stat> link; // the name itself (lstat), when it was a symbolic link
};

// Deletes the file at path when the name still leads (following a link, as the copy did) to the file recorded, with
// the same device, inode, size, modification time and change time, and, where the name was a link, still holds that
// same link; the link itself is what is deleted then. When anything differs it keeps the file and fails with
// VerifySource: EEXIST when the name leads to another file now (a new version was renamed over it), so that the
// copy is all that is left of the file that was read; ESTALE when it is still that file but changed since it was
// read (written to in place, so that its copy may hold old and new bytes mixed), or the link was replaced. Fails
// with DeleteSource (ENOENT) when the name is gone, or with DeleteSource and the errno of unlink.
Error DeleteUnchangedSource(const QByteArray& path, const SourceRecord& record);

} // namespace Fs

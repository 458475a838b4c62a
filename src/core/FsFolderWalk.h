#pragma once

#include "core/FsDescriptor.h"

#include <QByteArray>
#include <QByteArrayView>

namespace Fs {

// Opens the folder at path as the user named it (symbolic links followed: the path is the user's own choice), as an
// O_PATH descriptor that serves as the folder of the *at calls and needs no read permission on the folder.
Descriptor OpenFolder(const QByteArray& path);

// Opens the folder relative (levels separated by '/') below the open folder root, one level at a time: each level is
// opened O_NOFOLLOW|O_DIRECTORY relative to the descriptor of the level above. A level that is a symbolic link, or
// is swapped for one while the walk goes on, fails the walk (ENOTDIR), so nothing outside root is reached
// through a link. Empty and "." levels stay where they are, so an empty relative opens root itself; a ".." level
// fails with EINVAL. The descriptor is O_PATH, as OpenFolder's.
Descriptor OpenFolderBeneath(int root, QByteArrayView relative);

} // namespace Fs

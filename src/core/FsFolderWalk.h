#pragma once

#include "core/FsDescriptor.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

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

// Told of each level that MakeFolderBeneath made, as the part of relative up to and including it.
using LevelMade = std::function<void(QByteArrayView level)>;

// Opens the folder relative below root as OpenFolderBeneath does, making each missing level on the way with mkdirat
// relative to the descriptor of the level above (permission bits 0777 less the umask) and then opening it O_NOFOLLOW
// like any other level, so that a level swapped for a link meanwhile fails the walk too. made is told of each level
// made, from the top down. Not open on failure, with errno set: that of mkdirat where a level could not be made
// (EACCES, EROFS, ENOSPC, EDQUOT ...), else that of the walk.
Descriptor MakeFolderBeneath(int root, QByteArrayView relative, const LevelMade& made);

} // namespace Fs

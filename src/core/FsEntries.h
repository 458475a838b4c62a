#pragma once

#include "core/FsError.h"

#include <QByteArray>

#include <functional>

// What a name in the file system holds, each test named after the question it answers. The tests that follow
// symbolic links ask the file system as it resolves names; none of them resolves a path itself.

namespace Fs {

// Following links, path leads to something: a dangling link leads nowhere.
bool ReachesAnything(const QByteArray& path);

// Following links, path names nothing: the name, or a folder on its way, is missing (a dangling link included).
// A path that cannot be looked at for another reason (no permission) is not known to name nothing.
bool NamesNothing(const QByteArray& path);

// Following links, path leads to a folder.
bool ReachesFolder(const QByteArray& path);

// Following links, path leads to something other than a folder: a file, FIFO, socket or device.
bool ReachesNonFolder(const QByteArray& path);

// The name is taken by something that does not lead to a folder: a file, FIFO, socket or device, or a link to one
// of them, and also a dangling link, whose name is just as taken. A folder or a link to a folder does not count.
bool NameTakenByNonFolder(const QByteArray& path);
// The same question of name in the open folder folder, never through the folder's own path.
bool NameTakenByNonFolder(int folder, const QByteArray& name);

// Makes the folder at path with every missing folder above it, one level at a time (links followed, as the path
// names them). made, where given, is told of each level made, spelled as FolderLevels spells it. Fails with MakeFolder
// when path is not a folder afterwards: the errno of the mkdir that failed (EACCES, EROFS, ENOSPC ...), ENOTDIR when
// something else holds a level's name, or that of the look at the folder made.
Error MakeFolders(const QByteArray& path, const std::function<void(const QByteArray& level)>& made = {});

} // namespace Fs

#pragma once

#include <QByteArray>

// What a name in the file system holds, each test named after the question it answers. The tests that follow
// symbolic links ask the file system as it resolves names; none of them resolves a path itself.

namespace Fs {

// Following links, path leads to something: a dangling link leads nowhere.
bool ReachesAnything(const QByteArray& path);

// Following links, path leads to a folder.
bool ReachesFolder(const QByteArray& path);

// Following links, path leads to something other than a folder: a file, FIFO, socket or device.
bool ReachesNonFolder(const QByteArray& path);

// The name is taken by something that does not lead to a folder: a file, FIFO, socket or device, or a link to one
// of them, and also a dangling link, whose name is just as taken. A folder or a link to a folder does not count.
bool NameTakenByNonFolder(const QByteArray& path);

// Makes the folder at path with every missing folder above it. Failure is not reported: what is written into the
// folder next fails instead and reports it.
void MakeFolders(const QByteArray& path);

} // namespace Fs

#pragma once

#include "core/FsResult.h"

#include <QByteArray>

#include <optional>

// The desktop trash that file managers share (files/ and info/ under the home trash or a volume's .Trash-$UID), used
// to keep a file that a new one is about to replace. The file is not moved: a hard link to it goes into the trash,
// so its name keeps holding it until the caller renames the new file over that name, and no byte is copied.

// A file by its name in an open folder, which is never looked up by its path, and its path, for records.
struct FileInFolder {
    int folder = -1;
    QByteArray name;
    QByteArray path;
};

struct TrashedFile {
    QByteArray file; // the link in the trash's files/ folder
    QByteArray info; // its record in the trash's info/ folder
};

// Puts a hard link of the regular file into the trash of its file system: the home trash
// ($XDG_DATA_HOME/Trash) when it is on the same file system, otherwise the volume's $topdir/.Trash/$uid (only when
// $topdir/.Trash is a real folder with the sticky bit) or $topdir/.Trash-$uid, each made where missing (mode 0700).
// The .trashinfo record (original path, deletion date) is written first, under a name no other entry has, and the
// link takes the same name. Fails, leaving no entry behind, when no trash can take the file (a file system without
// hard links, a trash that cannot be made).
// The file is linked from its open folder (linkat), so that a folder swapped for a link meanwhile is never followed.
Fs::Result<TrashedFile> LinkIntoTrash(const FileInFolder& file);

// The percent-encoded form of a path in a .trashinfo record: every byte but unreserved ones and '/' as %XX.
QByteArray TrashInfoPath(const QByteArray& path);

// An entry of a trash: the trash folder (holding files/ and info/) and the entry's name in files/.
struct TrashEntry {
    QByteArray trash;
    QByteArray name;
};

// The entry that file and info name, when they name one the way LinkIntoTrash makes them: file is
// <trash>/files/<name>, info is <trash>/info/<name>.trashinfo, name is a plain file name, and trash is the home
// trash or a volume's trash of this user ($topdir/.Trash-$uid, $topdir/.Trash/$uid). Decided on the paths alone.
std::optional<TrashEntry> TrashEntryOf(const QByteArray& file, const QByteArray& info);

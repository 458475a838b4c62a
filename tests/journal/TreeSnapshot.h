#pragma once

#include <QByteArray>
#include <QMap>

#include <sys/types.h>

// Everything below a folder as the bytes of its names: each file's content, permission bits and modification time
// (nanoseconds), each folder and link by name. Two snapshots are equal when the trees are byte for byte the same.
struct TreeEntry {
    char kind = 'f'; // 'f' file, 'd' folder, 'l' symbolic link
    QByteArray content;
    mode_t mode = 0;
    qint64 mtimeNs = 0; // files only: a folder's time changes whenever an entry comes or goes
    friend bool operator==(const TreeEntry&, const TreeEntry&) = default;
};

using TreeSnapshot = QMap<QByteArray, TreeEntry>; // relative path -> entry

// The tree below root; names starting with ".Trash" directly below it (a volume's trash) are left out.
TreeSnapshot SnapshotOf(const QByteArray& root);

// The paths whose entries differ between before and after, each with a word of how, for a failure message.
QByteArray DifferencesBetween(const TreeSnapshot& before, const TreeSnapshot& after);

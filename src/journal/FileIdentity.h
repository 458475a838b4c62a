#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <sys/stat.h>

// What tells one file apart from any other, and from itself after a change: its device and inode, its size and its
// modification time to the nanosecond. A file that still has all four is the file that was recorded.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 mtimeNs = 0; // nanoseconds since the epoch

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

FileIdentity IdentityOf(const struct stat& status);

// The identity of what the name path holds itself (a symbolic link is not followed), or false when nothing does.
bool LookUpIdentity(const QByteArray& path, FileIdentity& identity);

// True when path holds a regular file with exactly the identity expected.
bool HoldsFile(const QByteArray& path, const FileIdentity& expected);

// True when the name path holds nothing at all, not even a dangling link.
bool NameIsFree(const QByteArray& path);

#pragma once

#include <QByteArray>

#include <sys/resource.h>
#include <sys/types.h>

// Awkward file-system fixtures made at test time, named by file-system bytes so that names which are not valid
// UTF-8 can be made too. Each helper stops the test program when the file system refuses.

void MakeFolder(const QByteArray& path, mode_t mode = 0755);
void MakeFile(const QByteArray& path, const QByteArray& content = "data");
void MakeLink(const QByteArray& target, const QByteArray& link);
void MakeFifo(const QByteArray& path);
void SetMode(const QByteArray& path, mode_t mode);

// Removes a fixture tree by its bytes, however deep; QTemporaryDir cannot remove names that are not valid UTF-8.
void RemoveTree(const QByteArray& path);

// Makes an empty file fileName levels folders of 250-byte names below parent, and returns its path: from 17 levels
// on, longer than PATH_MAX, so that no call by path reaches it.
QByteArray MakeDeepFile(const QByteArray& parent, int levels, const QByteArray& fileName);

// Root reads and writes whatever the permission bits say, so tests of unreadable or unwritable places skip then.
bool RunningAsRoot();

// Whether the file system of path records when a file was created (its birth time).
bool RecordsCreationTime(const QByteArray& path);

// Lowers this process's file-size limit to bytes while it lives, as a full disk would stop a write part-way: a
// write past the limit fails with EFBIG, since SIGXFSZ is ignored as the program ignores it. Only the soft limit is
// lowered, so that it can be raised again.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*m_oldHandler)(int);
    rlimit m_saved{};
};

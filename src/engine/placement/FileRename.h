#pragma once

#include "core/FsError.h"

#include <QByteArray>

#include <optional>

#include <sys/stat.h>

// Moves the regular file at source to name in the open folder folder by renaming it: the same file under a new
// name, its content, times, permissions and owner as they were, and no moment at which neither name holds it. Only a
// regular file by lstat that may be read (as a copy would have to) is renamed, after the same checks as a copy (see
// CheckTarget): never onto itself, never over a write-protected file or a folder, and with failIfExists never over
// anything (RENAME_NOREPLACE). Returns no failure when renamed, the refusal (CheckTarget, or MoveIntoPlace with
// EEXIST when the name was taken meanwhile), or nothing when a rename cannot make this move (a symbolic link or
// anything not a regular file, another file system, a rename the file system refuses) and it has to be copied
// instead, which then reports any failure in its own terms. The folder is never looked up by its path: the check
// and the rename act on the open folder. entry is the source's lstat, taken just before.
std::optional<Fs::Error> RenameRegularFile(const QByteArray& source, const struct stat& entry, int folder,
                                           const QByteArray& name, bool failIfExists);

#pragma once

#include "core/FsError.h"

#include <QByteArray>
#include <QtGlobal>

// The one seam for fault tests: lets a copy fail part-way as a full disk would. Production code never sets it.
class CopyHooks {
public:
    virtual ~CopyHooks() = default;
    // How many bytes a copy may write; a copy that has more to write fails with ENOSPC after writing that many.
    virtual qint64 writeLimit() const = 0;
};

struct CopyOptions {
    bool failIfExists = false; // fail when target exists instead of replacing it
    bool durable = false;      // flush the copy to the disk before it takes the target name
    const CopyHooks* hooks = nullptr;
};

// Copies the regular file at source to target: content, permission bits (never the setuid, setgid and sticky bits)
// and access and modification times. A symbolic link as source is followed. Fails with (see Fs::Operation):
// - OpenSource or CheckSource when source cannot be opened for reading or is not a regular file (a folder, FIFO,
//   socket or device; none of them is ever waited on);
// - CheckTarget: EINVAL when target is the source itself, under any spelling or through a hard link; EEXIST when
//   failIfExists is set and target exists; EISDIR when a folder holds the name; EACCES when target exists without
//   any write permission bit (write-protected, even for root);
// - CreateTemporary, WriteTemporary or MoveIntoPlace with what the file system reports.
// The content goes to a temporary file in the target's folder first, which is moved into place only when complete,
// so the target name never holds a partial file and a failed overwrite leaves the old file intact.
Fs::Error CopyRegularFile(const QByteArray& source, const QByteArray& target, const CopyOptions& options);

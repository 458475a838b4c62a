#pragma once

#include "core/FsError.h"
#include "core/FsRegularFile.h"

#include <QByteArray>
#include <QtGlobal>

#include <limits>
#include <sys/stat.h>

namespace Fs {

// The one seam for fault tests: lets a copy fail part-way as a full disk would, or lets a test act between two
// chunks of a copy (change the source, send a signal). Production code never sets it.
class CopyHooks {
public:
    virtual ~CopyHooks() = default;
    // How many bytes a copy may write; a copy that has more to write fails with ENOSPC after writing that many.
    virtual qint64 writeLimit() const { return std::numeric_limits<qint64>::max(); }
    // Called after each chunk, with the bytes written so far.
    virtual void chunkCopied(qint64 written) const { Q_UNUSED(written); }
};

struct CopyOptions {
    bool failIfExists = false; // fail when target exists instead of replacing it
    bool durable = false;      // flush the copy to the disk before it takes the target name (a run's own copies
                               // are flushed together by the move batch instead)
    const CopyHooks* hooks = nullptr;
};

// What a copy read and made.
struct CopyRecord {
    struct stat source {}; // the open source (fstat), before its content was read
    struct stat copy {};   // the new file
};

// Copies the regular file at source to target: content (holes stay holes), permission bits (never the setuid, setgid
// and sticky bits) and access and modification times. A symbolic link as source is followed. Fails with (see
// Operation):
// - OpenSource or CheckSource when source cannot be opened for reading or is not a regular file (a folder, FIFO,
//   socket or device; none of them is ever waited on);
// - CheckTarget: EINVAL when target is the source itself, under any spelling or through a hard link; EISDIR when
//   a folder holds the name; EEXIST when failIfExists is set and something else holds it; EACCES when target exists
//   without any write permission bit (write-protected, even for root);
// - WriteTemporary with ECANCELED when an interruption was requested during the copy (see FsInterruption.h);
// - VerifySource with ESTALE when the source was written to while it was read (its size or modification time
//   changed), so that the copy could hold old and new bytes mixed;
// - CreateTemporary, WriteTemporary or MoveIntoPlace with what the file system reports.
// The content goes to a new file in the target's folder first, unnamed where the file system allows it, which takes
// the target's name only when complete, so the target name never holds a partial file, a failed overwrite leaves
// the old file intact and a failed or interrupted copy leaves nothing behind. Unless durable, the copy is not flushed
// to the disk: a move flushes its copies before it deletes their sources. record, when given, is filled on success.
// The target's folder is opened once, as target names it, and every step acts on that open folder.
Error CopyRegularFile(const QByteArray& source, const QByteArray& target, const CopyOptions& options,
                      CopyRecord* record = nullptr);
// The same with the target named by name in the open folder folder, which is never looked up by its path: the
// check, the new file and its naming all act on that folder.
Error CopyRegularFile(const QByteArray& source, int folder, const QByteArray& name, const CopyOptions& options,
                      CopyRecord* record = nullptr);
// The same for a source open already, such as a file reached through a folder's descriptor.
Error CopyOpenRegularFile(const RegularFile& source, int folder, const QByteArray& name, const CopyOptions& options,
                          CopyRecord* record = nullptr);

} // namespace Fs

#include "core/FsFileCopy.h"

#include "core/FileNames.h"
#include "core/FsAtomicFile.h"
#include "core/FsContentCopy.h"
#include "core/FsFolderWalk.h"
#include "core/FsRegularFile.h"
#include "core/FsTargetCheck.h"

namespace Fs {

Error CopyRegularFile(const QByteArray& source, const QByteArray& target, const CopyOptions& options,
                      CopyRecord* record) {
    const Descriptor folder = OpenFolder(FolderOf(target));
    if (!folder.isOpen()) {
        return FailureOf(Operation::CreateTemporary);
    }
    return CopyRegularFile(source, folder.get(), FileNameOf(target), options, record);
}

Error CopyRegularFile(const QByteArray& source, int folder, const QByteArray& name, const CopyOptions& options,
                      CopyRecord* record) {
    const RegularFile in(source);
    if (!in.isOpen()) {
        return in.error();
    }
    return CopyOpenRegularFile(in, folder, name, options, record);
}

Error CopyOpenRegularFile(const RegularFile& in, int folder, const QByteArray& name, const CopyOptions& options,
                          CopyRecord* record) {
    const struct stat& sourceStatus = in.status();
    if (const Error refusal = CheckTarget(sourceStatus, folder, name, options.failIfExists); refusal.failed()) {
        return refusal;
    }

    AtomicFile out;
    if (const Error error = out.create(folder, name, 0600); error.failed()) {
        return error;
    }
    if (const Error error = CopyContent(in.descriptor(), sourceStatus, out.descriptor(), options.hooks);
        error.failed()) {
        return error;
    }
    // A source written to while it was read would give a copy of old and new bytes mixed. (Its change time is no
    // sign of that: it also changes when a new version is renamed over its name.)
    if (struct stat after{}; ::fstat(in.descriptor(), &after) != 0 || after.st_size != sourceStatus.st_size ||
                             after.st_mtim.tv_sec != sourceStatus.st_mtim.tv_sec ||
                             after.st_mtim.tv_nsec != sourceStatus.st_mtim.tv_nsec) {
        return {Operation::VerifySource, ESTALE};
    }
    const struct timespec times[2] = {sourceStatus.st_atim, sourceStatus.st_mtim};
    // The permission bits only: a copy never becomes setuid, setgid or sticky.
    if (::fchmod(out.descriptor(), sourceStatus.st_mode & 0777) != 0 || ::futimens(out.descriptor(), times) != 0 ||
        (record && ::fstat(out.descriptor(), &record->copy) != 0)) {
        return FailureOf(Operation::WriteTemporary);
    }
    const Error error =
        out.commit(options.failIfExists ? AtomicFile::Commit::NoReplace : AtomicFile::Commit::Replace, options.durable);
    if (record && !error.failed()) {
        record->source = sourceStatus;
    }
    return error;
}

} // namespace Fs

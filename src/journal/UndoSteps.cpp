#include "journal/UndoSteps.h"

#include "engine/FileCopy.h"
#include "journal/FileIdentity.h"
#include "journal/SameContent.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

StepOutcome reversed() {
    return {StepFate::Reversed, {}};
}

StepOutcome nothingToDo() {
    return {StepFate::NothingToDo, {}};
}

StepOutcome left(UndoReason reason, const QByteArray& path, const QByteArray& otherPath, Fs::Error error = {}) {
    return {StepFate::Left, {path, otherPath, reason, error}};
}

StepOutcome refused(const QByteArray& path, const QByteArray& otherPath, Fs::Operation operation) {
    return left(UndoReason::Refused, path, otherPath, Fs::FailureOf(operation));
}

// A regular file at path with the size and modification time of identity: a copy of that file keeps both.
bool holdsCopyOf(const QByteArray& path, const FileIdentity& identity) {
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    const FileIdentity now = IdentityOf(status);
    return now.size == identity.size && now.mtimeNs == identity.mtimeNs;
}

bool sameInode(const FileIdentity& a, const FileIdentity& b) {
    return a.device == b.device && a.inode == b.inode;
}

// The file at path came into being (or, where no birth time is recorded, last changed status) at or after ns.
bool createdSince(const QByteArray& path, qint64 ns) {
    struct statx status {};
    if (::statx(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW, STATX_BTIME | STATX_CTIME, &status) != 0) {
        return false;
    }
    const struct statx_timestamp& time = (status.stx_mask & STATX_BTIME) ? status.stx_btime : status.stx_ctime;
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec >= ns;
}

void discardKept(const KeptFile& kept) {
    ::unlink(kept.path.constData());
    if (!kept.info.isEmpty()) {
        ::unlink(kept.info.constData());
    }
}

bool keptElsewhere(const JournalStep& step) {
    return step.kept && step.kept->where != KeptWhere::NotKept;
}

// The target holds the replaced file again: back from the trash (the same inode), or copied back from beside the
// journal (the same bytes, size and time).
bool keptFileIsBack(const JournalStep& step) {
    const KeptFile& kept = *step.kept;
    return kept.where == KeptWhere::Trash ? HoldsFile(step.target, kept.old)
                                          : holdsCopyOf(step.target, kept.old) && SameContent(step.target, kept.path);
}

std::optional<FileIdentity> confirmUnrecorded(const JournalStep& step, const RunFacts& facts) {
    FileIdentity now;
    if (!LookUpIdentity(step.target, now) || facts.writtenByOtherStep(step, now)) {
        return std::nullopt;
    }
    if (step.transfer == Transfer::Move && now == step.before) {
        return now; // renamed: the moved file itself
    }
    const bool oldFile = step.kept && sameInode(now, step.kept->old);
    if (oldFile || sameInode(now, step.before) || now.size != step.before.size || now.mtimeNs != step.before.mtimeNs ||
        facts.startNs <= 0 || !createdSince(step.target, facts.startNs) || !SameContent(step.target, step.source)) {
        return std::nullopt;
    }
    return now;
}

StepOutcome unconfirmed(const JournalStep& step, const RunFacts& facts) {
    FileIdentity now;
    if (!LookUpIdentity(step.target, now) || facts.writtenByOtherStep(step, now) ||
        (facts.startNs > 0 && !createdSince(step.target, facts.startNs))) {
        return nothingToDo(); // the step never made a file: what is there is another step's, or older than the run
    }
    return left(UndoReason::Unconfirmed, step.target, keptElsewhere(step) ? step.kept->path : step.source);
}

// For a replacement by a file of the same bytes: the file stays, with the old file's permission bits and time.
StepOutcome restoreOldAttributes(const JournalStep& step) {
    const qint64 mtime = step.kept->old.mtimeNs;
    const qint64 seconds = mtime / 1000000000 - (mtime % 1000000000 < 0 ? 1 : 0);
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(seconds), long(mtime - seconds * 1000000000)}};
    if (::chmod(step.target.constData(), mode_t(step.kept->oldMode)) != 0 ||
        ::utimensat(AT_FDCWD, step.target.constData(), times, AT_SYMLINK_NOFOLLOW) != 0) {
        return refused(step.target, {}, Fs::Operation::WriteTemporary);
    }
    return reversed();
}

StepOutcome removeNewFile(const JournalStep& step) {
    if (step.kept && step.kept->where == KeptWhere::NotKept) {
        return restoreOldAttributes(step);
    }
    return ::unlink(step.target.constData()) == 0 ? reversed() : refused(step.target, {}, Fs::Operation::DeleteSource);
}

// An earlier undo already took the new file away from the target.
bool takenBackBefore(const JournalStep& step, const FileIdentity& written) {
    if (step.kept && step.kept->where == KeptWhere::NotKept) {
        return holdsCopyOf(step.target, {0, 0, written.size, step.kept->old.mtimeNs}) &&
               (step.transfer == Transfer::Copy || holdsCopyOf(step.source, written));
    }
    return NameIsFree(step.target) && (step.transfer == Transfer::Copy || HoldsFile(step.source, step.before) ||
                                       holdsCopyOf(step.source, written));
}

// Takes the run's new file away from the target: back to its source for a move, deleted for a copy.
StepOutcome takeBack(const JournalStep& step, const FileIdentity& written) {
    const QByteArray& target = step.target;
    const QByteArray& source = step.source;
    if (!HoldsFile(target, written)) {
        if (step.undoStarted && takenBackBefore(step, written)) {
            return reversed();
        }
        return left(NameIsFree(target) ? UndoReason::Gone : UndoReason::Changed, target, source);
    }
    const bool renamed = step.transfer == Transfer::Move && sameInode(written, step.before);
    if (step.transfer == Transfer::Copy || (!renamed && HoldsFile(source, step.before))) {
        return removeNewFile(step); // the source is still there: the new file is a copy
    }
    if (!NameIsFree(source)) {
        if (step.undoStarted && holdsCopyOf(source, written) && SameContent(source, target)) {
            return removeNewFile(step); // copied back by an earlier undo, which stopped before the deletion
        }
        return left(UndoReason::SourceTaken, target, source);
    }
    const bool keepTarget = step.kept && step.kept->where == KeptWhere::NotKept;
    if (renamed && !keepTarget) {
        if (::renameat2(AT_FDCWD, target.constData(), AT_FDCWD, source.constData(), RENAME_NOREPLACE) == 0) {
            return reversed();
        }
        if (errno == EEXIST) {
            return left(UndoReason::SourceTaken, target, source);
        }
        if (errno != EINVAL && errno != ENOSYS) {
            return refused(target, source, Fs::Operation::MoveIntoPlace);
        }
        // The file system cannot rename without replacing: the copy back below never replaces either.
    }
    // Across file systems, where the target keeps a file of the same bytes, or where a rename cannot be made safe:
    // a copy back, flushed to the disk before the target is touched.
    const Fs::Error error = CopyRegularFile(target, source, {.failIfExists = true, .durable = true});
    if (error.failed()) {
        return error.code == EEXIST ? left(UndoReason::SourceTaken, target, source)
                                    : left(UndoReason::Refused, target, source, error);
    }
    return removeNewFile(step);
}

// The kept file is still where it was kept, as it was: the same inode in the trash, a copy beside the journal.
bool keptFileIsThere(const KeptFile& kept) {
    return kept.where == KeptWhere::Trash ? HoldsFile(kept.path, kept.old) : holdsCopyOf(kept.path, kept.old);
}

// Puts the replaced file back under its name, which takeBack has just freed.
StepOutcome bringBackKept(const JournalStep& step) {
    const KeptFile& kept = *step.kept;
    const QByteArray& target = step.target;
    if (!NameIsFree(target)) {
        return left(UndoReason::NameTaken, target, kept.path);
    }
    if (kept.where == KeptWhere::Trash) {
        if (::link(kept.path.constData(), target.constData()) != 0) {
            return errno == EEXIST ? left(UndoReason::NameTaken, target, kept.path)
                                   : refused(target, kept.path, Fs::Operation::MoveIntoPlace);
        }
    } else {
        const Fs::Error error = CopyRegularFile(kept.path, target, {.failIfExists = true, .durable = true});
        if (error.failed()) {
            return error.code == EEXIST ? left(UndoReason::NameTaken, target, kept.path)
                                        : left(UndoReason::Refused, target, kept.path, error);
        }
    }
    discardKept(kept);
    return reversed();
}

StepOutcome removeFolder(const JournalStep& step) {
    FileIdentity now;
    if (!LookUpIdentity(step.target, now)) {
        return nothingToDo();
    }
    if (!sameInode(now, *step.written)) {
        return left(UndoReason::Changed, step.target, {});
    }
    if (::rmdir(step.target.constData()) == 0) {
        return reversed();
    }
    return errno == ENOTEMPTY || errno == EEXIST ? left(UndoReason::FolderNotEmpty, step.target, {})
                                                 : refused(step.target, {}, Fs::Operation::DeleteSource);
}

} // namespace

bool RunFacts::writtenByOtherStep(const JournalStep& step, const FileIdentity& now) const {
    return written.value(step.target).contains(now) && step.written != now;
}

StepOutcome ReverseStep(const JournalStep& step, const RunFacts& facts) {
    if (step.isFolder) {
        return removeFolder(step);
    }
    if (keptElsewhere(step) && keptFileIsBack(step)) {
        discardKept(*step.kept); // a second name of the file that is back, or a copy of it
        return step.written ? reversed() : nothingToDo();
    }
    std::optional<FileIdentity> written = step.written;
    if (!written) {
        written = confirmUnrecorded(step, facts);
    }
    if (!written) {
        return unconfirmed(step, facts);
    }
    if (keptElsewhere(step) && !keptFileIsThere(*step.kept)) {
        // Without the replaced file, taking the new one away would leave the name empty.
        return left(UndoReason::KeptMissing, step.target, step.kept->path);
    }
    const StepOutcome outcome = takeBack(step, *written);
    if (outcome.fate != StepFate::Reversed || !keptElsewhere(step)) {
        return outcome;
    }
    return bringBackKept(step);
}

#include "journal/UndoSteps.h"

#include "core/FsSameContent.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

StepOutcome reversed(QList<std::pair<QByteArray, FileIdentity>> restored = {}) {
    return {StepFate::Reversed, {}, std::move(restored), {}};
}

StepOutcome nothingToDo() {
    return {StepFate::NothingToDo, {}, {}, {}};
}

StepOutcome left(UndoReason reason, const QByteArray& path, const QByteArray& otherPath, Fs::Error error = {}) {
    return {StepFate::Left, {path, otherPath, reason, error}, {}, {}};
}

StepOutcome refused(const QByteArray& path, const QByteArray& otherPath, const Fs::Error& error) {
    return left(UndoReason::Refused, path, otherPath, error);
}

bool sameInode(const FileIdentity& a, const FileIdentity& b) {
    return a.device == b.device && a.inode == b.inode;
}

bool keptElsewhere(const JournalStep& step) {
    return step.kept && step.kept->where != KeptWhere::NotKept;
}

bool keptIdentical(const JournalStep& step) {
    return step.kept && step.kept->where == KeptWhere::NotKept;
}

// The files one step touches, each reached through its folder's descriptor.
struct StepPlaces {
    Place target;
    Place source;
    std::optional<Place> kept; // where the replaced file was kept, when it was
    std::optional<TrashEntry> trashEntry;
};

Place targetOf(const JournalStep& step, const UndoScope& scope, UndoPlaces& places) {
    return places.inOutput(step.target, scope.below(step.target).value_or(QByteArray()));
}

StepPlaces placesOf(const JournalStep& step, const UndoScope& scope, UndoPlaces& places) {
    StepPlaces found{targetOf(step, scope, places), places.asNamed(step.source), std::nullopt, std::nullopt};
    if (keptElsewhere(step)) {
        if (step.kept->where == KeptWhere::Trash) {
            found.trashEntry = TrashEntryOf(step.kept->path, step.kept->info);
            found.kept = places.trashFile(*found.trashEntry);
        } else {
            found.kept = places.besideJournal(step.kept->path);
        }
    }
    return found;
}

// The kept file is still where it was kept, as it was: the same inode in the trash, a copy beside the journal.
bool keptFileIsThere(const KeptFile& kept, const Place& place) {
    return kept.where == KeptWhere::Trash ? place.holds(kept.old) : place.holdsCopyOf(kept.old);
}

// Removes the kept file, a second name or a copy of the file that is back, while it is still that file; and the
// trash's record of it, only while that is a regular file of the user's own: a record that is not stays, reported.
QList<UndoItem> discardKept(const JournalStep& step, const StepPlaces& at, UndoPlaces& places) {
    if (keptFileIsThere(*step.kept, *at.kept)) {
        // A kept file that cannot be removed is a spare name or copy of the file that is back: nothing is lost.
        (void)at.kept->unlink();
    }
    if (!at.trashEntry) {
        return {};
    }
    const Place info = places.trashInfo(*at.trashEntry);
    const Fs::Result<struct stat> status = info.status();
    if (status.failed()) {
        return {}; // gone already
    }
    if (!S_ISREG(status->st_mode) || status->st_uid != ::geteuid() || info.unlink().failed()) {
        return {{info.path(), {}, UndoReason::TrashInfoLeft, {}}};
    }
    return {};
}

// The target holds the replaced file again: back from the trash (the same inode), or copied back from beside the
// journal (the same bytes, size and time).
bool keptFileIsBack(const JournalStep& step, const StepPlaces& at) {
    const KeptFile& kept = *step.kept;
    if (kept.where == KeptWhere::Trash) {
        return at.target.holds(kept.old);
    }
    return at.target.holdsCopyOf(kept.old) && Fs::SameContent(at.target.open(), at.kept->open());
}

std::optional<FileIdentity> confirmUnrecorded(const JournalStep& step, const StepPlaces& at, const RunFacts& facts) {
    const std::optional<FileIdentity> now = at.target.identity();
    if (!now || facts.writtenByOtherStep(step, *now)) {
        return std::nullopt;
    }
    if (step.transfer == Transfer::Move && *now == step.before) {
        return now; // renamed: the moved file itself
    }
    const bool oldFile = step.kept && sameInode(*now, step.kept->old);
    if (oldFile || sameInode(*now, step.before) || now->size != step.before.size ||
        now->mtimeNs != step.before.mtimeNs || facts.startNs <= 0 || !at.target.createdSince(facts.startNs) ||
        !Fs::SameContent(at.target.open(), Fs::RegularFile(step.source))) {
        return std::nullopt;
    }
    return now;
}

StepOutcome unconfirmed(const JournalStep& step, const StepPlaces& at, const RunFacts& facts) {
    const std::optional<FileIdentity> now = at.target.identity();
    if (!now || facts.writtenByOtherStep(step, *now) || (facts.startNs > 0 && !at.target.createdSince(facts.startNs))) {
        return nothingToDo(); // the step never made a file: what is there is another step's, or older than the run
    }
    return left(UndoReason::Unconfirmed, step.target, keptElsewhere(step) ? step.kept->path : step.source);
}

// For a replacement by a file of the same bytes: the file stays, with the old file's permission bits (never setuid,
// setgid or sticky) and time, acted on through a descriptor of the file that is checked to be the one found.
StepOutcome restoreOldAttributes(const JournalStep& step, const Place& target, const FileIdentity& found) {
    const Fs::RegularFile file = target.open();
    if (!file.isOpen() || IdentityOf(file.status()) != found) {
        return left(UndoReason::Changed, step.target, {});
    }
    const qint64 mtime = step.kept->old.mtimeNs;
    const qint64 seconds = mtime / 1000000000 - (mtime % 1000000000 < 0 ? 1 : 0);
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(seconds), long(mtime - seconds * 1000000000)}};
    struct stat after {};
    if (::fchmod(file.descriptor(), mode_t(step.kept->oldMode & 0777)) != 0 ||
        ::futimens(file.descriptor(), times) != 0 || ::fstat(file.descriptor(), &after) != 0) {
        return refused(step.target, {}, Fs::FailureOf(Fs::Operation::WriteTemporary));
    }
    return reversed({{step.target, IdentityOf(after)}});
}

StepOutcome removeNewFile(const JournalStep& step, const Place& target, const FileIdentity& found) {
    if (keptIdentical(step)) {
        return restoreOldAttributes(step, target, found);
    }
    const Fs::Error removed = target.unlink();
    return removed.failed() ? refused(step.target, {}, removed) : reversed();
}

// An earlier undo already took the new file away from the target.
bool takenBackBefore(const JournalStep& step, const StepPlaces& at, const FileIdentity& written) {
    if (keptIdentical(step)) {
        return at.target.holdsCopyOf({0, 0, written.size, step.kept->old.mtimeNs}) &&
               (step.transfer == Transfer::Copy || at.source.holdsCopyOf(written));
    }
    return at.target.isFree() &&
           (step.transfer == Transfer::Copy || at.source.holds(step.before) || at.source.holdsCopyOf(written));
}

// Across file systems, where the target keeps a file of the same bytes, or where a rename cannot be made safe: a
// copy back to the source, flushed to the disk before the target is touched, from the target opened through its
// folder and checked to be the file found.
StepOutcome copyBack(const JournalStep& step, const StepPlaces& at, const FileIdentity& found) {
    const Fs::RegularFile in = at.target.open();
    if (!in.isOpen() || IdentityOf(in.status()) != found) {
        return left(UndoReason::Changed, step.target, step.source);
    }
    struct stat made {};
    const Fs::Error error = at.source.copyIn(in, &made);
    if (error.failed()) {
        return error.code == EEXIST ? left(UndoReason::SourceTaken, step.target, step.source)
                                    : left(UndoReason::Refused, step.target, step.source, error);
    }
    StepOutcome outcome = removeNewFile(step, at.target, found);
    outcome.restored.prepend({step.source, IdentityOf(made)});
    return outcome;
}

// Takes the run's new file away from the target: back to its source for a move, deleted for a copy.
StepOutcome takeBack(const JournalStep& step, const StepPlaces& at, const FileIdentity& written,
                     const RunFacts& facts) {
    const std::optional<FileIdentity> found = facts.find(at.target, written);
    if (!found) {
        if (step.undoStarted && takenBackBefore(step, at, written)) {
            return reversed();
        }
        return left(at.target.isFree() ? UndoReason::Gone : UndoReason::Changed, step.target, step.source);
    }
    const bool renamed = step.transfer == Transfer::Move && sameInode(written, step.before);
    if (step.transfer == Transfer::Copy || (!renamed && at.source.holds(step.before))) {
        return removeNewFile(step, at.target, *found); // the source is still there: the new file is a copy
    }
    if (!at.source.isFree()) {
        if (step.undoStarted && at.source.holdsCopyOf(written) && Fs::SameContent(at.source.open(), at.target.open())) {
            return removeNewFile(step, at.target,
                                 *found); // copied back by an earlier undo, stopped before the deletion
        }
        return left(UndoReason::SourceTaken, step.target, step.source);
    }
    if (renamed && !keptIdentical(step)) {
        const Fs::Error renamed = at.target.renameWithoutReplacing(at.source);
        if (!renamed.failed()) {
            return reversed({{step.source, *found}});
        }
        if (renamed.code == EEXIST) {
            return left(UndoReason::SourceTaken, step.target, step.source);
        }
        if (renamed.code != EINVAL && renamed.code != ENOSYS) {
            return refused(step.target, step.source, renamed);
        }
        // The file system cannot rename without replacing: the copy back never replaces either.
    }
    return copyBack(step, at, *found);
}

// Puts the replaced file back under its name, which takeBack has just freed.
StepOutcome bringBackKept(const JournalStep& step, const StepPlaces& at, UndoPlaces& places) {
    const KeptFile& kept = *step.kept;
    if (!at.target.isFree()) {
        return left(UndoReason::NameTaken, step.target, kept.path);
    }
    if (kept.where == KeptWhere::Trash) {
        if (const Fs::Error linked = at.kept->linkTo(at.target); linked.failed()) {
            return linked.code == EEXIST ? left(UndoReason::NameTaken, step.target, kept.path)
                                         : refused(step.target, kept.path, linked);
        }
    } else {
        const Fs::Error error = at.target.copyIn(at.kept->open());
        if (error.failed()) {
            return error.code == EEXIST ? left(UndoReason::NameTaken, step.target, kept.path)
                                        : left(UndoReason::Refused, step.target, kept.path, error);
        }
    }
    StepOutcome outcome = reversed();
    if (const std::optional<FileIdentity> back = at.target.identity()) {
        outcome.restored.append({step.target, *back});
    }
    outcome.leftOver = discardKept(step, at, places);
    return outcome;
}

StepOutcome removeFolder(const JournalStep& step, const Place& folder) {
    const std::optional<FileIdentity> now = folder.identity();
    if (!now) {
        return nothingToDo();
    }
    if (!sameInode(*now, *step.written)) {
        return left(UndoReason::Changed, step.target, {});
    }
    const Fs::Error removed = folder.removeFolder();
    if (!removed.failed()) {
        return reversed();
    }
    return removed.code == ENOTEMPTY || removed.code == EEXIST ? left(UndoReason::FolderNotEmpty, step.target, {})
                                                               : refused(step.target, {}, removed);
}

} // namespace

bool RunFacts::writtenByOtherStep(const JournalStep& step, const FileIdentity& now) const {
    return written.value(step.target).contains(now) && step.written != now;
}

std::optional<FileIdentity> RunFacts::find(const Place& place, const FileIdentity& expected) const {
    const Fs::Result<struct stat> status = place.status();
    if (status.failed() || !S_ISREG(status->st_mode)) {
        return std::nullopt;
    }
    const FileIdentity now = IdentityOf(*status);
    return restored.standsFor(place.path(), now, expected) ? std::optional(now) : std::nullopt;
}

StepOutcome ReverseStep(const JournalStep& step, const UndoScope& scope, UndoPlaces& places, const RunFacts& facts) {
    if (step.isFolder) {
        return removeFolder(step, targetOf(step, scope, places));
    }
    const StepPlaces at = placesOf(step, scope, places);
    if (keptElsewhere(step) && keptFileIsBack(step, at)) {
        // A second name of the file that is back, or a copy of it.
        StepOutcome outcome = step.written ? reversed() : nothingToDo();
        outcome.leftOver = discardKept(step, at, places);
        return outcome;
    }
    if (!step.written && step.nameUse == NameUse::Replace && !step.kept) {
        // A replacement keeps the old file before it acts: without that record the name still holds the old file.
        return nothingToDo();
    }
    std::optional<FileIdentity> written = step.written;
    if (!written) {
        written = confirmUnrecorded(step, at, facts);
    }
    if (!written) {
        return unconfirmed(step, at, facts);
    }
    if (keptElsewhere(step) && !keptFileIsThere(*step.kept, *at.kept)) {
        // Without the replaced file, taking the new one away would leave the name empty.
        return left(UndoReason::KeptMissing, step.target, step.kept->path);
    }
    StepOutcome outcome = takeBack(step, at, *written, facts);
    if (outcome.fate != StepFate::Reversed || !keptElsewhere(step)) {
        return outcome;
    }
    StepOutcome back = bringBackKept(step, at, places);
    back.restored = outcome.restored + back.restored;
    return back;
}

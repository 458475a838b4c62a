#include "engine/Placement.h"

#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "core/TextBytes.h"
#include "engine/FileCopy.h"
#include "engine/FileRename.h"
#include "engine/FolderMemory.h"

#include <cerrno>

using namespace Qt::StringLiterals;

void EnsureFolder(const QByteArray& folder) {
    if (!Fs::ReachesFolder(folder)) {
        Fs::MakeFolders(folder);
    }
}

namespace {

PlaceOutcome outcomeOf(PlaceResult result, bool move, const QByteArray& target = {}) {
    PlaceOutcome outcome;
    outcome.result = result;
    outcome.moveMode = move;
    outcome.target = target;
    return outcome;
}

// Places source at target: in move mode by a rename where one can do it, else by a copy.
PlaceOutcome placeAt(const QByteArray& source, const QByteArray& target, bool failIfExists, bool move) {
    // The name as it was before the file was read, for the check before the source is deleted.
    struct stat entry {};
    const bool isLink = move && ::lstat(source.constData(), &entry) == 0 && S_ISLNK(entry.st_mode);
    std::optional<Fs::Error> error = move ? RenameRegularFile(source, target, failIfExists) : std::nullopt;
    if (error && !error->failed()) {
        PlaceOutcome moved = outcomeOf(PlaceResult::Moved, move, target);
        moved.placed = entry;
        return moved;
    }
    if (!error) {
        CopyRecord record;
        error = CopyRegularFile(source, target, {.failIfExists = failIfExists}, &record);
        if (!error->failed()) {
            PlaceOutcome copied = outcomeOf(PlaceResult::Copied, move, target);
            copied.placed = record.copy;
            copied.source = {record.source, isLink ? std::optional(entry) : std::nullopt};
            return copied;
        }
    }
    // A refusal because a file of that name is there is the policy at work, not a failure.
    if (failIfExists && error->code == EEXIST && Fs::NameTakenByNonFolder(target)) {
        return outcomeOf(PlaceResult::Declined, move);
    }
    PlaceOutcome failed = outcomeOf(PlaceResult::Failed, move);
    failed.error = *error;
    return failed;
}

bool answersYes(OverwriteAnswer answer) {
    return answer == OverwriteAnswer::Yes || answer == OverwriteAnswer::YesToAll;
}

// name with the number n: the name itself for 0, else stem_n.ext.
QByteArray numberedName(const QByteArray& name, qint64 n) {
    return n == 0 ? name : StemOf(name) + '_' + QByteArray::number(n) + ExtensionOf(name);
}

// Places source under the first of name, stem_1.ext, stem_2.ext, ... that no file in folder bears, never replacing:
// a name taken between the look and the placement only moves it on to the next number.
PlaceOutcome placeNumbered(const QByteArray& source, const QByteArray& folder, bool move, FolderMemory& folders) {
    const QByteArray name = FileNameOf(source);
    for (qint64 n = folders.nextNumber(folder, name);; ++n) {
        const QByteArray target = JoinPath(folder, numberedName(name, n));
        if (Fs::NameTakenByNonFolder(target)) {
            continue;
        }
        const PlaceOutcome outcome = placeAt(source, target, true, move);
        if (outcome.result == PlaceResult::Declined) {
            continue;
        }
        if (outcome.result != PlaceResult::Failed) {
            folders.rememberTaken(folder, name, n);
        }
        return outcome;
    }
}

} // namespace

PlaceOutcome PlaceFile(const QByteArray& source, const QByteArray& destFolder, PlacementHost& host,
                       FolderMemory& folders, bool lastPlacement) {
    folders.tidyOnce(destFolder);
    const bool move = lastPlacement && host.moveMode();
    const QByteArray target = JoinPath(destFolder, FileNameOf(source));
    switch (host.sameNamePolicy()) {
    case SameNamePolicy::Rename:
        return placeNumbered(source, destFolder, move, folders);
    case SameNamePolicy::Ask: {
        const bool replace =
            !Fs::NameTakenByNonFolder(target) ||
            answersYes(host.askOverwrite({u"文件"_s + DisplayText(target) + u"已存在，是否覆盖？"_s, target, source}));
        return placeAt(source, target, !replace, move);
    }
    case SameNamePolicy::Skip:
        return placeAt(source, target, true, move);
    case SameNamePolicy::Overwrite:
        break;
    }
    return placeAt(source, target, false, move);
}

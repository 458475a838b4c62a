#include "engine/Placement.h"

#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "core/TextBytes.h"
#include "engine/FileCopy.h"
#include "engine/FileRename.h"
#include "engine/FolderMemory.h"

#include <QCoreApplication>
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

// One file placed into one folder.
struct Placing {
    const QByteArray& source;
    const QByteArray& folder;
    bool move; // the file's last placement, in move mode
    FolderMemory& folders;
};

// Places the file at target: in move mode by a rename where one can do it, else by a copy.
PlaceOutcome placeAt(const Placing& placing, const QByteArray& target, bool failIfExists) {
    const QByteArray& source = placing.source;
    const bool move = placing.move;
    // The name as it was before the file was read, for the check before the source is deleted.
    struct stat entry {};
    const bool known = move && ::lstat(source.constData(), &entry) == 0;
    const bool isLink = known && S_ISLNK(entry.st_mode);
    const bool sameDevice = known && entry.st_dev == placing.folders.deviceOf(placing.folder);
    std::optional<Fs::Error> error = sameDevice ? RenameRegularFile(source, target, failIfExists) : std::nullopt;
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
PlaceOutcome placeNumbered(const Placing& placing) {
    const QByteArray name = FileNameOf(placing.source);
    for (qint64 n = placing.folders.nextNumber(placing.folder, name);; ++n) {
        const QByteArray target = JoinPath(placing.folder, numberedName(name, n));
        if (Fs::NameTakenByNonFolder(target)) {
            continue;
        }
        const PlaceOutcome outcome = placeAt(placing, target, true);
        if (outcome.result == PlaceResult::Declined) {
            continue;
        }
        if (outcome.result != PlaceResult::Failed) {
            placing.folders.rememberTaken(placing.folder, name, n);
        }
        return outcome;
    }
}

} // namespace

QString OverwriteQuestionText(const QByteArray& target) {
    return QCoreApplication::translate("Placement", "文件%1已存在，是否覆盖？").arg(DisplayText(target));
}

PlaceOutcome PlaceFile(const QByteArray& source, const QByteArray& destFolder, PlacementHost& host,
                       FolderMemory& folders, bool lastPlacement) {
    folders.tidyOnce(destFolder);
    const Placing placing{source, destFolder, lastPlacement && host.moveMode(), folders};
    const QByteArray target = JoinPath(destFolder, FileNameOf(source));
    switch (host.sameNamePolicy()) {
    case SameNamePolicy::Rename:
        return placeNumbered(placing);
    case SameNamePolicy::Ask: {
        const bool replace = !Fs::NameTakenByNonFolder(target) ||
                             answersYes(host.askOverwrite({OverwriteQuestionText(target), target, source}));
        return placeAt(placing, target, !replace);
    }
    case SameNamePolicy::Skip:
        return placeAt(placing, target, true);
    case SameNamePolicy::Overwrite:
        break;
    }
    return placeAt(placing, target, false);
}

#include "journal/Undo.h"

#include "core/FileNames.h"
#include "journal/JournalAppender.h"
#include "journal/JournalReader.h"
#include "journal/JournalRecordText.h"
#include "journal/JournalTrust.h"
#include "journal/UndoSteps.h"

#include <QDateTime>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A journal opened for undo: checked, read, and with its status when it cannot be undone.
struct OpenedJournal {
    UndoResult::Status status = UndoResult::Status::Done;
    std::optional<Distrust> distrust;
    Fs::Descriptor file;
    Fs::Descriptor keptFolder;
    JournalContent content;
};

OpenedJournal openForUndo(const JournalFolder& folder, const QByteArray& id, bool lock) {
    OpenedJournal opened;
    if (!JournalFolder::isRunId(id)) {
        opened.status = UndoResult::Status::NoSuchRun;
        return opened;
    }
    const TrustedJournalFolder trusted(folder);
    if ((opened.distrust = trusted.distrust())) {
        opened.status = UndoResult::Status::Untrusted;
        return opened;
    }
    if (trusted.missing()) {
        opened.status = UndoResult::Status::NoSuchRun;
        return opened;
    }
    opened.file = trusted.openJournal(id, lock ? O_RDWR | O_APPEND : O_RDONLY, opened.distrust);
    if (!opened.file.isOpen()) {
        opened.status = opened.distrust   ? UndoResult::Status::Untrusted
                        : errno == ENOENT ? UndoResult::Status::NoSuchRun
                                          : UndoResult::Status::Unreadable;
        return opened;
    }
    opened.keptFolder = trusted.openKeptFolder(id, opened.distrust);
    if (opened.distrust) {
        opened.status = UndoResult::Status::Untrusted;
        return opened;
    }
    const bool locked = !lock || LockJournal(opened.file.get());
    opened.content = ReadJournal(opened.file.get());
    if (!locked) {
        // Another process holds the journal: its run, or an undo of a run that ended or was cut off.
        const JournalContent& content = opened.content;
        const bool undoing = content.end || (content.undoBegun && !content.undoEnded);
        opened.status = undoing ? UndoResult::Status::Undoing : UndoResult::Status::Running;
    } else if (!opened.content.readable) {
        opened.status = UndoResult::Status::Unreadable;
    }
    return opened;
}

// The restorations the undos of runs after id recorded (only from journals that may be believed).
RestoredFiles restoredSince(const JournalFolder& folder, const QByteArray& id) {
    RestoredFiles restored;
    const TrustedJournalFolder trusted(folder);
    for (const QByteArray& later : folder.runIds()) {
        std::optional<Distrust> distrust;
        const Fs::Descriptor file = later > id ? trusted.openJournal(later, O_RDONLY, distrust) : Fs::Descriptor();
        if (file.isOpen()) {
            for (const JournalStep& step : ReadJournal(file.get()).steps) {
                restored.note(step);
            }
        }
    }
    return restored;
}

RunFacts factsOf(const JournalFolder& folder, const QByteArray& id, const JournalContent& content) {
    RunFacts facts;
    facts.startNs = content.run ? content.run->startNs : 0;
    facts.restored = restoredSince(folder, id);
    for (const JournalStep& step : content.steps) {
        facts.restored.note(step);
        if (step.written && !step.isFolder) {
            facts.written[step.target].append(*step.written);
        }
    }
    return facts;
}

// A run cut off in the middle of a placement can have left its temporary file behind (see FsLeftovers.h): the
// run's folders below its output folder are tidied first, through their descriptors, so that a folder it made can
// go again.
void tidyFoldersOf(const JournalContent& content, const UndoScope& scope, UndoPlaces& places) {
    QSet<QByteArray> tidied;
    for (const JournalStep& step : content.steps) {
        const QByteArray stepFolder = step.isFolder ? step.target : FolderOf(step.target);
        const std::optional<QByteArray> below = scope.below(stepFolder);
        if (scope.admits(step) && below && !tidied.contains(stepFolder)) {
            tidied.insert(stepFolder);
            // The folder's own entry "." names a place in the folder itself.
            places.inOutput(stepFolder + "/.", *below + "/.").tidyFolder();
        }
    }
}

} // namespace

UndoResult UndoRun(const JournalFolder& folder, const QByteArray& id) {
    UndoResult result;
    OpenedJournal opened = openForUndo(folder, id, true);
    result.status = opened.status;
    result.distrust = opened.distrust;
    if (opened.status != UndoResult::Status::Done) {
        return result;
    }
    const JournalContent& content = opened.content;
    result.damagedLines = content.damagedLines;
    const UndoScope scope(content, folder.keptFolder(id));
    RunFacts facts = factsOf(folder, id, content);
    UndoPlaces places(scope.root(), std::move(opened.keptFolder), folder.keptFolder(id));
    if (!content.end) {
        tidyFoldersOf(content, scope, places);
    }

    JournalAppender journal(std::move(opened.file)); // keeps the lock until the undo ends
    journal.append(UndoBeginRecord(QDateTime::currentMSecsSinceEpoch() * 1000000));
    for (auto step = content.steps.crbegin(); step != content.steps.crend(); ++step) {
        if (step->failed || step->undone) {
            continue;
        }
        journal.append(UndoStepRecord(step->number));
        StepOutcome outcome =
            scope.admits(*step)
                ? ReverseStep(*step, scope, places, facts)
                : StepOutcome{StepFate::Left, {step->target, step->source, UndoReason::Outside, {}}, {}, {}};
        for (const auto& [path, identity] : outcome.restored) {
            journal.append(RestoredRecord(step->number, path, identity));
            if (const std::optional<FileIdentity> original = OriginalAt(*step, path)) {
                facts.restored.add(path, *original, identity);
            }
        }
        result.items.append(outcome.leftOver);
        if (outcome.fate == StepFate::Left) {
            journal.append(NotUndoneRecord(step->number, UndoReasonCode(outcome.item.reason)));
            result.items.append(outcome.item);
            continue;
        }
        journal.append(UndoneRecord(step->number));
        if (outcome.fate == StepFate::Reversed) {
            ++(step->isFolder ? result.foldersRemoved : result.undone);
        }
    }
    journal.append(UndoEndRecord(content.end, result.undone, result.foldersRemoved, int(result.items.size())));
    result.journalError = journal.sync();
    ::rmdir(folder.keptFolder(id).constData()); // emptied when every file kept beside the journal is back
    return result;
}

UndoOutlook LookAheadAtUndo(const JournalFolder& folder, const QByteArray& id) {
    UndoOutlook outlook;
    const OpenedJournal opened = openForUndo(folder, id, false);
    outlook.status = opened.status;
    outlook.distrust = opened.distrust;
    if (opened.status != UndoResult::Status::Done) {
        return outlook;
    }
    const UndoScope scope(opened.content, folder.keptFolder(id));
    outlook.outputFolder = scope.root();
    outlook.inferredFolder = scope.inferred();
    for (const JournalStep& step : opened.content.steps) {
        if (step.isFolder || step.failed || step.undone || !scope.admits(step)) {
            continue;
        }
        ++(step.transfer == Transfer::Move ? outlook.movesBack : outlook.copiesToDelete);
        if (step.kept && step.kept->where == KeptWhere::Trash) {
            ++outlook.fromTrash;
        } else if (step.kept && step.kept->where == KeptWhere::BesideJournal) {
            ++outlook.fromBesideJournal;
        }
    }
    return outlook;
}

#include "engine/placement/DiskPlacement.h"

#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "core/FsFileCopy.h"
#include "engine/ActionRecorder.h"
#include "engine/RunHost.h"
#include "engine/placement/FileRename.h"
#include "engine/placement/IdenticalFiles.h"
#include "engine/placement/PlacementBatch.h"

#include <cerrno>
#include <unistd.h>

namespace {

PlaceOutcome outcomeOf(PlaceResult result, bool move, const QByteArray& target = {}) {
    PlaceOutcome outcome;
    outcome.result = result;
    outcome.moveMode = move;
    outcome.target = target;
    return outcome;
}

PlaceOutcome failure(const Fs::Error& error, bool move) {
    PlaceOutcome failed = outcomeOf(PlaceResult::Failed, move);
    failed.error = error;
    return failed;
}

// The same file, unchanged: the same inode, size and modification time.
bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

bool answersYes(OverwriteAnswer answer) {
    return answer == OverwriteAnswer::Yes || answer == OverwriteAnswer::YesToAll;
}

} // namespace

DiskPlacement::DiskPlacement(QByteArray outputFolder, ActionRecorder* recorder, RunHost* host, PlacementBatch* batch)
    : PlacementActions(std::move(outputFolder)), m_recorder(recorder), m_host(host), m_batch(batch) {}

void DiskPlacement::makeQueued() {
    if (m_batch) {
        m_batch->flush();
    }
}

bool DiskPlacement::reachesFolder(const QByteArray& folder) {
    return folders().open(folder).descriptor >= 0;
}

void DiskPlacement::ensureFolder(const QByteArray& folder) {
    folders().make(folder, [this](const QByteArray& level) {
        if (m_recorder) {
            m_recorder->folderMade(level);
        }
    });
}

void DiskPlacement::enterFolder(const QByteArray& folder) {
    folders().tidyOnce(folder);
}

bool DiskPlacement::nameTaken(const QByteArray& folder, const QByteArray& target) {
    if (m_batch && m_batch->holdsTarget(target)) {
        makeQueued();
    }
    const FolderMemory::Opened opened = folders().open(folder);
    return opened.descriptor >= 0 && Fs::NameTakenByNonFolder(opened.descriptor, FileNameOf(target));
}

std::optional<bool> DiskPlacement::confirmReplace(PlacementHost& host, const OverwriteQuestion& question,
                                                  const PlaceRequest&) {
    // The question waits for the user: what was decided before it is made first.
    makeQueued();
    return answersYes(host.askOverwrite(question));
}

std::optional<PlaceOutcome> DiskPlacement::identicalAtTarget(const PlaceRequest& request, PlacementHost& host) {
    const FolderMemory::Opened folder = folders().open(request.folder);
    if (folder.descriptor < 0) {
        return std::nullopt;
    }
    const Fs::RegularFile there(folder.descriptor, FileNameOf(request.target));
    const std::optional<bool> same =
        SameBytes(Fs::RegularFile(request.source), there, [&host] { return host.keepComparing(); });
    if (same == false) {
        return std::nullopt;
    }
    PlanStep step{request.source, request.target, PlanAction::Identical, std::nullopt};
    PlaceOutcome outcome = outcomeOf(PlaceResult::Identical, request.move);
    if (same) {
        step.sameAs = m_placedFrom.value(request.target);
    } else {
        outcome = failure({Fs::Operation::ReadSource, ECANCELED}, request.move);
        step.reason = FailureReasonOf(outcome.error);
        m_lastFailedSource = request.source;
    }
    if (m_host) {
        tell(step);
    }
    return outcome;
}

PlaceOutcome DiskPlacement::placeAt(const PlaceRequest& request) {
    // The name as it was before the file was read, for the check before the source is deleted.
    struct stat entry {};
    const bool known = request.move && ::lstat(request.source.constData(), &entry) == 0;
    const struct stat* sourceEntry = known ? &entry : nullptr;
    if (!m_recorder) {
        const bool replaces = m_host && !request.failIfExists && nameTaken(request.folder, request.target);
        const PlaceOutcome outcome = attempt(request, sourceEntry);
        ended(request, replaces, outcome);
        return outcome;
    }
    bool replaces = false;
    const PlaceOutcome outcome = journaled(request, sourceEntry, replaces);
    if (outcome.result != PlaceResult::Deferred) {
        ended(request, replaces, outcome);
    }
    return outcome;
}

PlaceOutcome DiskPlacement::journaled(const PlaceRequest& request, const struct stat* sourceEntry, bool& replaces) {
    // A placement that may replace a file joins the batch only where the name is free now: one that is taken
    // keeps and replaces the file at once, so that its steps stand in the journal in the order they are made.
    if (m_batch && m_batch->accepting() && !request.numbering &&
        (request.failIfExists || !nameTaken(request.folder, request.target))) {
        return deferred(request, sourceEntry);
    }
    makeQueued();
    const int step = m_recorder->intent(request.move ? Transfer::Move : Transfer::Copy,
                                        request.numbered ? NameUse::Number : NameUse::Free, request.source,
                                        request.target, sourceEntry);
    return fromFreeAttempt(request, sourceEntry, step, replaces);
}

PlaceOutcome DiskPlacement::fromFreeAttempt(const PlaceRequest& request, const struct stat* sourceEntry, int step,
                                            bool& replaces) {
    // First as if the name were free, which it mostly is: a name that is taken shows at the target check, before
    // anything is written, and only then is the old file kept and replaced.
    PlaceRequest free = request;
    free.failIfExists = true;
    m_lastRecordedStep = step;
    const PlaceOutcome outcome = recordOutcome(step, attempt(free, sourceEntry));
    if (request.failIfExists || (outcome.result != PlaceResult::Declined && outcome.error.code != EEXIST)) {
        return outcome;
    }
    replaces = nameTaken(request.folder, request.target);
    return recorded(request, sourceEntry, replaces ? NameUse::Replace : NameUse::Free);
}

PlaceOutcome DiskPlacement::deferred(const PlaceRequest& request, const struct stat* sourceEntry) {
    // No two placements of a batch share a target: the later one meets the earlier one's file, and the record that
    // names that file must be on the kernel before the later one's outcome, so that undo knows whose file it is.
    if (m_batch->holdsTarget(request.target)) {
        makeQueued();
    }
    // The look at the source its intent records: the move's own, or one taken here that also tells the size.
    struct stat looked {};
    const struct stat* sourceStatus =
        sourceEntry ? sourceEntry : (::lstat(request.source.constData(), &looked) == 0 ? &looked : nullptr);
    const int step = m_recorder->queueIntent(request.move ? Transfer::Move : Transfer::Copy, NameUse::Free,
                                             request.source, request.target, sourceStatus);
    struct stat entry {};
    if (sourceEntry) {
        entry = *sourceEntry;
    }
    // A regular file moved within its file system is renamed; anything else may copy the bytes it leads to.
    qint64 copied = 0;
    const bool renamed =
        sourceEntry && S_ISREG(sourceEntry->st_mode) && sourceEntry->st_dev == folders().deviceOf(request.folder);
    if (sourceStatus && !renamed) {
        struct stat followed {};
        copied = !S_ISLNK(sourceStatus->st_mode)                      ? qint64(sourceStatus->st_size)
                 : ::stat(request.source.constData(), &followed) == 0 ? qint64(followed.st_size)
                                                                      : 0;
    }
    auto act = [this, step, entry, known = sourceEntry != nullptr, source = request.source, folder = request.folder,
                target = request.target, move = request.move, failIfExists = request.failIfExists] {
        const PlaceRequest queued{source, folder, target, move, failIfExists};
        bool replaces = false;
        PlaceOutcome outcome;
        struct stat now {};
        const bool found = known && ::lstat(source.constData(), &now) == 0;
        if (!known || (found && sameFile(now, entry))) {
            outcome = fromFreeAttempt(queued, found ? &now : nullptr, step, replaces);
        } else {
            // The file at the source's name is not the one its intent names: that step ends here, and the
            // placement goes ahead with an intent of its own that names the file as it is now.
            m_recorder->failed(step);
            outcome = journaled(queued, found ? &now : nullptr, replaces);
        }
        ended(queued, replaces, outcome);
        return outcome;
    };
    PlaceOutcome outcome;
    outcome.result = PlaceResult::Deferred;
    outcome.moveMode = request.move;
    outcome.ticket = m_batch->add(request.target, copied, std::move(act));
    return outcome;
}

PlaceOutcome DiskPlacement::recorded(const PlaceRequest& request, const struct stat* sourceEntry, NameUse use) {
    const int step = m_recorder->intent(request.move ? Transfer::Move : Transfer::Copy, use, request.source,
                                        request.target, sourceEntry);
    m_lastRecordedStep = step;
    if (use == NameUse::Replace) {
        const FolderMemory::Opened folder = folders().open(request.folder);
        const Fs::Error error = folder.descriptor < 0
                                    ? folder.error
                                    : m_recorder->keepReplaced(step, folder.descriptor, FileNameOf(request.target),
                                                               request.target, request.source);
        if (error.failed()) {
            m_recorder->failed(step);
            return failure(error, request.move);
        }
    }
    return recordOutcome(step, attempt(request, sourceEntry));
}

const PlaceOutcome& DiskPlacement::recordOutcome(int step, const PlaceOutcome& outcome) {
    if (outcome.result == PlaceResult::Moved) {
        m_recorder->renamed(step);
    } else if (outcome.result == PlaceResult::Copied) {
        m_recorder->done(step, outcome.placed);
    } else {
        m_recorder->failed(step);
    }
    return outcome;
}

// Tells the host of the placement's step, in the plan's terms; a move made by a copy waits for its source.
void DiskPlacement::ended(const PlaceRequest& request, bool replaces, const PlaceOutcome& outcome) {
    const PlanAction action =
        outcome.result == PlaceResult::Declined ? PlanAction::Skip : PlacingAction(request, replaces);
    PlanStep step{request.source, request.target, action, std::nullopt};
    if (outcome.result == PlaceResult::Failed) {
        step.reason = FailureReasonOf(outcome.error);
        m_lastFailedSource = request.source;
    } else if (outcome.result != PlaceResult::Declined) {
        m_placedFrom.insert(request.target, request.source);
    }
    if (outcome.result == PlaceResult::Copied && request.move) {
        m_awaitedMoves.insert(request.source,
                              {step, m_lastFailedSource == request.source, m_lastRecordedStep, outcome.placed});
    } else if (m_host) {
        tell(step);
    }
}

void DiskPlacement::passedBy(const QByteArray& source, PlanAction action, const QString& because) {
    if (!m_host) {
        return;
    }
    tellHost({source, QByteArray(), action, std::nullopt, because});
}

void DiskPlacement::tellHost(const PlanStep& step) const {
    if (m_batch && m_batch->holdsSteps()) {
        m_batch->tell([host = m_host, step] { host->stepEnded(step); });
    } else {
        m_host->stepEnded(step);
    }
}

void DiskPlacement::moveSettled(const QByteArray& source, const Fs::Error& failure, bool sourceChanged) {
    AwaitedMove move = m_awaitedMoves.take(source);
    if (sourceChanged) {
        takeBack(move);
    }
    if (!m_host) {
        return;
    }
    if (failure.failed() && !move.earlierFailure) {
        move.step.reason = FailureReasonOf(failure);
    }
    tell(move.step);
}

void DiskPlacement::takeBack(const AwaitedMove& move) {
    if (m_recorder) {
        m_recorder->withdraw(move.recordedStep);
        return;
    }
    const QByteArray& target = move.step.target;
    struct stat now {};
    if (::lstat(target.constData(), &now) == 0 && now.st_dev == move.copy.st_dev && now.st_ino == move.copy.st_ino) {
        ::unlink(target.constData());
    }
}

PlaceOutcome DiskPlacement::attempt(const PlaceRequest& request, const struct stat* entry) {
    const QByteArray& source = request.source;
    const QByteArray& target = request.target;
    const bool move = request.move;
    const FolderMemory::Opened folder = folders().open(request.folder);
    if (folder.descriptor < 0) {
        return failure(folder.error, move);
    }
    const QByteArray name = FileNameOf(target);
    const bool isLink = entry && S_ISLNK(entry->st_mode);
    const bool sameDevice = entry && entry->st_dev == folders().deviceOf(request.folder);
    std::optional<Fs::Error> error =
        sameDevice ? RenameRegularFile(source, *entry, folder.descriptor, name, request.failIfExists) : std::nullopt;
    if (error && !error->failed()) {
        PlaceOutcome moved = outcomeOf(PlaceResult::Moved, move, target);
        moved.placed = *entry;
        return moved;
    }
    if (!error) {
        Fs::CopyRecord record;
        error = Fs::CopyRegularFile(
            source, folder.descriptor, name,
            {.failIfExists = request.failIfExists, .hooks = m_host ? m_host->copyHooks() : nullptr}, &record);
        if (!error->failed()) {
            PlaceOutcome copied = outcomeOf(PlaceResult::Copied, move, target);
            copied.placed = record.copy;
            copied.source = {record.source, isLink ? std::optional(*entry) : std::nullopt};
            return copied;
        }
    }
    // A refusal because a file of that name is there is the policy at work, not a failure.
    if (request.failIfExists && error->code == EEXIST && Fs::NameTakenByNonFolder(folder.descriptor, name)) {
        return outcomeOf(PlaceResult::Declined, move);
    }
    return failure(*error, move);
}

void DiskPlacement::tell(PlanStep step) const {
    step.preset = stepsPreset();
    tellHost(step);
}

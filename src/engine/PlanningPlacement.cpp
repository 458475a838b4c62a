#include "engine/PlanningPlacement.h"

#include "core/FsAtomicFile.h"
#include "core/FsEntries.h"
#include "core/FsRegularFile.h"
#include "engine/TargetCheck.h"

#include <cerrno>
#include <unistd.h>

namespace {

// One spelling for each path, so that "out/a" and "out//a/" are one name to the plan.
QByteArray pathKey(const QByteArray& path) {
    const bool plain = !path.contains("//") && !path.contains("/./") && !path.endsWith('/') && !path.endsWith("/.") &&
                       !path.startsWith("./");
    if (plain) {
        return path;
    }
    const QByteArrayList levels = FolderLevels(path);
    return levels.isEmpty() ? path : levels.last();
}

} // namespace

bool PlanningPlacement::madeByPlan(const QByteArray& folder) const {
    return !m_madeFolders.isEmpty() && m_madeFolders.contains(pathKey(folder));
}

bool PlanningPlacement::reachesFolder(const QByteArray& folder) {
    return madeByPlan(folder) || Fs::ReachesFolder(folder);
}

void PlanningPlacement::ensureFolder(const QByteArray& folder) {
    if (reachesFolder(folder)) {
        return;
    }
    bool parentWritable = !folder.startsWith('/') && ::access(".", W_OK | X_OK) == 0;
    const QByteArrayList levels = FolderLevels(folder);
    for (qsizetype i = 0; i < levels.size(); ++i) {
        const QByteArray& level = levels[i];
        if (m_madeFolders.contains(level)) {
            parentWritable = true;
            continue;
        }
        struct stat status {};
        if (::stat(level.constData(), &status) == 0) {
            if (!S_ISDIR(status.st_mode)) {
                return; // a file holds a level's name: no folder is made
            }
            parentWritable = ::access(level.constData(), W_OK | X_OK) == 0;
            continue;
        }
        if (errno != ENOENT || !parentWritable) {
            return;
        }
        for (qsizetype j = i; j < levels.size(); ++j) {
            m_madeFolders.insert(levels[j]);
        }
        return;
    }
}

void PlanningPlacement::enterFolder(const QByteArray&) {}

bool PlanningPlacement::nameTaken(const QByteArray& target) {
    const QByteArray key = pathKey(target);
    if (m_taken.contains(key)) {
        return true;
    }
    return !m_vacated.contains(key) && Fs::NameTakenByNonFolder(target);
}

std::optional<bool> PlanningPlacement::confirmReplace(PlacementHost&, const OverwriteQuestion&,
                                                      const PlaceRequest& request) {
    m_steps.append({request.source, request.target, PlanAction::Ask, std::nullopt});
    return std::nullopt;
}

Fs::Error PlanningPlacement::targetRefusal(const struct stat& source, const PlaceRequest& request) const {
    const QByteArray key = pathKey(request.target);
    if (const auto taken = m_taken.constFind(key); taken != m_taken.cend()) {
        if (request.failIfExists) {
            return {Fs::Operation::CheckTarget, EEXIST};
        }
        struct stat existing {};
        existing.st_mode = S_IFREG | *taken;
        return Fs::CheckReplaceable(existing);
    }
    if (m_vacated.contains(key)) {
        return {};
    }
    return CheckTarget(source, request.target, request.failIfExists);
}

// A plan touches nothing, so a folder's permissions stay what they were when the plan first asked.
Fs::Error PlanningPlacement::folderRefusal(const QByteArray& folder) {
    if (madeByPlan(folder)) {
        return {};
    }
    auto known = m_folderAccess.constFind(folder);
    if (known == m_folderAccess.cend()) {
        known = m_folderAccess.insert(folder, ::access(folder.constData(), W_OK | X_OK) == 0 ? 0 : errno);
    }
    return *known == 0 ? Fs::Error{} : Fs::Error{Fs::Operation::CreateTemporary, *known};
}

PlaceOutcome PlanningPlacement::placeAt(const PlaceRequest& request) {
    PlaceOutcome outcome;
    outcome.moveMode = request.move;
    const QByteArray sourceKey = pathKey(request.source);
    const Fs::RegularFile in(m_vacated.contains(sourceKey) ? QByteArray() : request.source);
    Fs::Error error = m_vacated.contains(sourceKey) ? Fs::Error{Fs::Operation::OpenSource, ENOENT}
                      : !in.isOpen()                ? in.error()
                                                    : targetRefusal(in.status(), request);
    if (!error.failed()) {
        error = folderRefusal(request.folder);
    }
    if (error.failed()) {
        // A refusal because a file of that name is there is the policy at work, not a failure.
        if (request.failIfExists && error.code == EEXIST && nameTaken(request.target)) {
            outcome.result = PlaceResult::Declined;
            m_steps.append({request.source, request.target, PlanAction::Skip, std::nullopt});
            return outcome;
        }
        outcome.result = PlaceResult::Failed;
        outcome.error = error;
        m_steps.append({request.source, request.target, PlanAction::Refused, FailureReasonOf(error)});
        return outcome;
    }
    const bool replaces = !request.failIfExists && nameTaken(request.target);
    m_steps.append({request.source, request.target, PlacingAction(request, replaces), std::nullopt});
    const QByteArray targetKey = pathKey(request.target);
    m_taken.insert(targetKey, in.status().st_mode & 0777);
    m_vacated.remove(targetKey);
    if (request.move) {
        m_vacated.insert(sourceKey);
        m_taken.remove(sourceKey);
    }
    // A move is final in a plan: nothing is left for the move batch to delete.
    outcome.result = request.move ? PlaceResult::Moved : PlaceResult::Copied;
    outcome.target = request.target;
    outcome.placed = in.status();
    return outcome;
}

void PlanningPlacement::passedBy(const QByteArray& source, PlanAction why) {
    m_steps.append({source, QByteArray(), why, std::nullopt});
}

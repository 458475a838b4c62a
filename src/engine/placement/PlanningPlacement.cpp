#include "engine/placement/PlanningPlacement.h"

#include "core/FileNames.h"
#include "core/FsAtomicFile.h"
#include "core/FsEntries.h"
#include "core/FsRegularFile.h"
#include "core/FsTargetCheck.h"

#include <cerrno>
#include <fcntl.h>
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
    return madeByPlan(folder) || folders().open(folder).descriptor >= 0;
}

void PlanningPlacement::ensureFolder(const QByteArray& folder) {
    if (reachesFolder(folder)) {
        return;
    }
    // The errno the run's mkdir of the next level would meet in the level above it (0: none), and whether the run
    // makes every level from here on.
    int refusal = folder.startsWith('/') ? EACCES : ::access(".", W_OK | X_OK) == 0 ? 0 : errno;
    bool making = false;
    // Each level is counted as made, or gone through as it is there, or ends the run's making with refusal.
    const auto goThrough = [&](const QByteArray& level, const auto& thereAs) {
        if (making) {
            m_madeFolders.insert(pathKey(level));
            return true;
        }
        if (madeByPlan(level)) {
            refusal = 0;
            return true;
        }
        const int missing = thereAs(level);
        if (missing == 0) {
            return true;
        }
        if (missing == ENOENT && refusal == 0) {
            making = true;
            m_madeFolders.insert(pathKey(level));
            return true;
        }
        folders().rememberMakeFailure(folder, {Fs::Operation::MakeFolder, missing == ENOENT ? refusal : missing});
        return false;
    };
    // The output folder's own levels by their path, links followed as the run's mkdir follows them.
    const auto byPath = [&](const QByteArray& level) {
        struct stat status {};
        if (::stat(level.constData(), &status) != 0) {
            return errno;
        }
        if (!S_ISDIR(status.st_mode)) {
            return ENOTDIR;
        }
        refusal = ::access(level.constData(), W_OK | X_OK) == 0 ? 0 : errno;
        return 0;
    };
    for (const QByteArray& level : FolderLevels(folders().outputFolder())) {
        if (!goThrough(level, byPath)) {
            return;
        }
    }
    // The levels below it only as the run walks them, never through a link.
    const auto walked = [&](const QByteArray& level) {
        const FolderMemory::Opened opened = folders().open(level);
        if (opened.descriptor < 0) {
            return opened.error.code;
        }
        refusal = ::faccessat(opened.descriptor, ".", W_OK | X_OK, 0) == 0 ? 0 : errno;
        return 0;
    };
    QByteArray relative;
    for (const QByteArray& name : folder.sliced(folders().outputFolder().size()).split('/')) {
        if (name.isEmpty() || name == ".") {
            continue;
        }
        relative += (relative.isEmpty() ? "" : "/") + name;
        if (!goThrough(folders().outputFolder() + relative, walked)) {
            return;
        }
    }
}

void PlanningPlacement::enterFolder(const QByteArray&) {}

bool PlanningPlacement::nameTaken(const QByteArray& folder, const QByteArray& target) {
    const QByteArray key = pathKey(target);
    if (m_taken.contains(key)) {
        return true;
    }
    if (m_vacated.contains(key) || madeByPlan(folder)) {
        return false;
    }
    const FolderMemory::Opened opened = folders().open(folder);
    return opened.descriptor >= 0 && Fs::NameTakenByNonFolder(opened.descriptor, FileNameOf(target));
}

std::optional<bool> PlanningPlacement::confirmReplace(PlacementHost&, const OverwriteQuestion&,
                                                      const PlaceRequest& request) {
    m_steps.append({request.source, request.target, PlanAction::Ask, std::nullopt});
    return std::nullopt;
}

std::optional<PlaceOutcome> PlanningPlacement::identicalAtTarget(const PlaceRequest& request, PlacementHost&) {
    const QByteArray key = pathKey(request.target);
    const QByteArray name = pathKey(JoinPath(request.folder, FileNameOf(request.source)));
    const ComparedFile incoming{request.source};
    const auto placed = m_placedFrom.constFind(key);
    bool same = false;
    if (placed != m_placedFrom.cend()) {
        same = m_comparisons.same(name, incoming, {*placed});
    } else if (!m_vacated.contains(key) && !madeByPlan(request.folder)) {
        const FolderMemory::Opened folder = folders().open(request.folder);
        same = folder.descriptor >= 0 && m_comparisons.same(name, incoming, {request.target, folder.descriptor});
    }
    if (!same) {
        return std::nullopt;
    }
    const QByteArray sameAs = placed != m_placedFrom.cend() ? *placed : QByteArray();
    m_steps.append({request.source, request.target, PlanAction::Identical, std::nullopt, {}, sameAs});
    PlaceOutcome outcome;
    outcome.result = PlaceResult::Identical;
    outcome.moveMode = request.move;
    return outcome;
}

Fs::Error PlanningPlacement::targetRefusal(const struct stat& source, const PlaceRequest& request, int folder) const {
    const QByteArray key = pathKey(request.target);
    if (const auto taken = m_taken.constFind(key); taken != m_taken.cend()) {
        if (request.failIfExists) {
            return {Fs::Operation::CheckTarget, EEXIST};
        }
        struct stat existing {};
        existing.st_mode = S_IFREG | *taken;
        return Fs::CheckReplaceable(existing);
    }
    // In a folder the plan would make, no name is taken but by the plan.
    if (m_vacated.contains(key) || folder < 0) {
        return {};
    }
    return Fs::CheckTarget(source, folder, FileNameOf(request.target), request.failIfExists);
}

// A plan touches nothing, so a folder's permissions stay what they were when the plan first asked.
Fs::Error PlanningPlacement::folderRefusal(const QByteArray& folder, int descriptor) {
    if (madeByPlan(folder)) {
        return {};
    }
    auto known = m_folderAccess.constFind(folder);
    if (known == m_folderAccess.cend()) {
        known = m_folderAccess.insert(folder, ::faccessat(descriptor, ".", W_OK | X_OK, 0) == 0 ? 0 : errno);
    }
    return *known == 0 ? Fs::Error{} : Fs::Error{Fs::Operation::CreateTemporary, *known};
}

PlaceOutcome PlanningPlacement::placeAt(const PlaceRequest& request) {
    PlaceOutcome outcome;
    outcome.moveMode = request.move;
    // The run opens the destination folder first, then the source.
    const FolderMemory::Opened folder =
        madeByPlan(request.folder) ? FolderMemory::Opened{} : folders().open(request.folder);
    const QByteArray sourceKey = pathKey(request.source);
    const bool vacated = m_vacated.contains(sourceKey);
    const Fs::RegularFile in(vacated || folder.error.failed() ? QByteArray() : request.source);
    Fs::Error error = folder.error.failed() ? folder.error
                      : vacated             ? Fs::Error{Fs::Operation::OpenSource, ENOENT}
                      : !in.isOpen()        ? in.error()
                                            : targetRefusal(in.status(), request, folder.descriptor);
    if (!error.failed()) {
        error = folderRefusal(request.folder, folder.descriptor);
    }
    if (error.failed()) {
        // A refusal because a file of that name is there is the policy at work, not a failure.
        if (request.failIfExists && error.code == EEXIST && nameTaken(request.folder, request.target)) {
            outcome.result = PlaceResult::Declined;
            m_steps.append({request.source, request.target, PlanAction::Skip, std::nullopt});
            return outcome;
        }
        outcome.result = PlaceResult::Failed;
        outcome.error = error;
        m_steps.append({request.source, request.target, PlanAction::Refused, FailureReasonOf(error)});
        return outcome;
    }
    const bool replaces = !request.failIfExists && nameTaken(request.folder, request.target);
    m_steps.append({request.source, request.target, PlacingAction(request, replaces), std::nullopt});
    const QByteArray targetKey = pathKey(request.target);
    m_taken.insert(targetKey, in.status().st_mode & 0777);
    m_placedFrom.insert(targetKey, request.source);
    m_vacated.remove(targetKey);
    if (request.move) {
        m_vacated.insert(sourceKey);
        m_taken.remove(sourceKey);
        m_placedFrom.remove(sourceKey);
    }
    // A move is final in a plan: nothing is left for the move batch to delete.
    outcome.result = request.move ? PlaceResult::Moved : PlaceResult::Copied;
    outcome.target = request.target;
    outcome.placed = in.status();
    return outcome;
}

void PlanningPlacement::passedBy(const QByteArray& source, PlanAction action, const QString& because) {
    m_steps.append({source, QByteArray(), action, std::nullopt, because});
}

QList<PlanStep> PlanningPlacement::takeSteps() {
    for (PlanStep& step : m_steps) {
        // A file passed by was taken by no saved sort.
        if (step.action != PlanAction::NoMatch && step.action != PlanAction::Filtered) {
            step.preset = stepsPreset();
        }
    }
    return std::move(m_steps);
}

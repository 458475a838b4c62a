#pragma once

#include "engine/SortPlan.h"
#include "engine/placement/FolderMemory.h"
#include "engine/placement/Placement.h"

#include <QByteArray>
#include <QByteArrayList>

#include <optional>

// One placement attempt as PlaceFile decided it.
struct PlaceRequest {
    const QByteArray& source;
    const QByteArray& folder;
    const QByteArray& target;
    bool move = false;         // the file's last placement, in move mode
    bool failIfExists = false; // never replace what holds the name
    bool numbered = false;     // target bears an auto-number
    bool numbering = false;    // auto-numbering decides the name: a name taken meanwhile moves on to the next number
};

// Where a run's placements and folders go. PlaceFile makes every decision (the same-name policy, auto-numbering)
// in the same code for both kinds: DiskPlacement acts on the disk, PlanningPlacement records in a plan what the run
// would do and touches nothing, so that a plan cannot drift from the run.
// Every folder lies below the run's output folder, and is reached as FolderMemory reaches it: never through a
// symbolic link below the output folder.
class PlacementActions {
public:
    // outputFolder: the run's output folder as file-system bytes, ending in '/'.
    explicit PlacementActions(QByteArray outputFolder) : m_folders(std::move(outputFolder)) {}
    virtual ~PlacementActions() = default;

    // The saved sort of a chain whose placements these are (UTF-8): every placement step told or planned carries its
    // name; a file passed by carries none.
    void nameSteps(QByteArray preset) { m_preset = std::move(preset); }
    const QByteArray& stepsPreset() const { return m_preset; }

    // True when folder is a folder, as the run sees it (for a plan: also when an earlier step would make it).
    virtual bool reachesFolder(const QByteArray& folder) = 0;
    // Makes folder with every missing folder above it, unless a folder is already there. A failure is not reported
    // here: the placement that follows fails with it.
    virtual void ensureFolder(const QByteArray& folder) = 0;
    // Called before each placement into folder.
    virtual void enterFolder(const QByteArray& folder) = 0;
    // True when anything but a folder holds the name target in folder.
    virtual bool nameTaken(const QByteArray& folder, const QByteArray& target) = 0;
    // The same-name question of the ask policy: true to replace, false to keep the file there, or nothing when the
    // placement ends here (a plan notes that the question will come).
    virtual std::optional<bool> confirmReplace(PlacementHost& host, const OverwriteQuestion& question,
                                               const PlaceRequest& request) = 0;
    // Called when request.target is taken and a file of the same bytes is not to be placed: when a regular file of
    // the same bytes as request.source holds the name, records the step and gives Identical, or Failed (Interrupted)
    // when host.keepComparing() stopped the comparison; nothing when the policy is to decide.
    virtual std::optional<PlaceOutcome> identicalAtTarget(const PlaceRequest& request, PlacementHost& host) = 0;
    // Makes exactly one attempt at placing the file as request says, or queues it (Deferred) where a batch of a
    // journaled run takes it; an auto-numbering request is made at once.
    virtual PlaceOutcome placeAt(const PlaceRequest& request) = 0;
    // A listed file that no placement was tried for: passed over by the filter (Filtered) or not matching the
    // criterion (NoMatch), because of the rule or filter named in words.
    virtual void passedBy(const QByteArray& source, PlanAction action, const QString& because) {
        Q_UNUSED(source);
        Q_UNUSED(action);
        Q_UNUSED(because);
    }
    // The move of source, made by a copy, was settled: its source deleted, or kept with failure (which may also be
    // an earlier placement's failure of the same file). sourceChanged: the source was found changed since its copy
    // read it, so that the copy, which may hold old and new bytes mixed, must go.
    virtual void moveSettled(const QByteArray& source, const Fs::Error& failure, bool sourceChanged) {
        Q_UNUSED(source);
        Q_UNUSED(failure);
        Q_UNUSED(sourceChanged);
    }

    // What the run learnt about the folders it places into.
    FolderMemory& folders() { return m_folders; }
    const FolderMemory& folders() const { return m_folders; }

private:
    FolderMemory m_folders;
    QByteArray m_preset;
};

// The plan's word for a placement that goes ahead: Number for an auto-numbered name, Replace when a file holds the
// name, else Move or Copy. The run tells its host of each step, and a plan records it, in these same terms.
PlanAction PlacingAction(const PlaceRequest& request, bool replaces);

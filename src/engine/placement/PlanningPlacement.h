#pragma once

#include "engine/SortPlan.h"
#include "engine/placement/IdenticalFiles.h"
#include "engine/placement/PlacementActions.h"

#include <QHash>
#include <QSet>

#include <sys/types.h>

// The placement of a plan: it records each step the run would take and touches nothing. It sees what the run would
// see: the disk, with each folder below the output folder reached as the run reaches it (never through a symbolic
// link), plus every name an earlier step took (with the permission bits its file would have), every source an
// earlier move took away, and every folder an earlier step would make. Its checks are the run's own (the
// destination folder opened, the source opened for reading as a copy opens it, CheckTarget, the destination
// folder's write permission).
class PlanningPlacement final : public PlacementActions {
public:
    using PlacementActions::PlacementActions;

    bool reachesFolder(const QByteArray& folder) override;
    // Counts folder (and each missing level) as made when the nearest folder that is there may be written; otherwise
    // remembers why the run could not make it.
    void ensureFolder(const QByteArray& folder) override;
    void enterFolder(const QByteArray& folder) override;
    bool nameTaken(const QByteArray& folder, const QByteArray& target) override;
    // Records that the question will come (PlanAction::Ask); the name stays as it is.
    std::optional<bool> confirmReplace(PlacementHost& host, const OverwriteQuestion& question,
                                       const PlaceRequest& request) override;
    // Compares with the listed file an earlier step placed at the name, or with the file on the disk there.
    std::optional<PlaceOutcome> identicalAtTarget(const PlaceRequest& request, PlacementHost& host) override;
    PlaceOutcome placeAt(const PlaceRequest& request) override;
    void passedBy(const QByteArray& source, PlanAction action, const QString& because) override;

    QList<PlanStep> takeSteps();

private:
    Fs::Error targetRefusal(const struct stat& source, const PlaceRequest& request, int folder) const;
    Fs::Error folderRefusal(const QByteArray& folder, int descriptor);
    bool madeByPlan(const QByteArray& folder) const;

    QList<PlanStep> m_steps;
    QHash<QByteArray, mode_t> m_taken;          // by path, spelled as FolderLevels spells it
    QHash<QByteArray, QByteArray> m_placedFrom; // by path of a name an earlier step took: the listed file placed there
    QSet<QByteArray> m_vacated;
    QSet<QByteArray> m_madeFolders;
    PlanComparisons m_comparisons;
    QHash<QByteArray, int> m_folderAccess; // errno of the write test of each destination folder (0: writable)
};

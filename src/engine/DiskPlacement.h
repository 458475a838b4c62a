#pragma once

#include "engine/PlacementActions.h"
#include "engine/PlacementKind.h"

class ActionRecorder;

// The run's placement on the disk: copies, renames and folders made, each taken down by the recorder where the run
// has one (intent before the action, the replaced file kept before it is replaced, the outcome after).
class DiskPlacement final : public PlacementActions {
public:
    explicit DiskPlacement(ActionRecorder* recorder = nullptr);

    bool reachesFolder(const QByteArray& folder) override;
    void ensureFolder(const QByteArray& folder) override;
    // The first time the run places into folder, the temporary files that ended processes of ours left there go.
    void enterFolder(const QByteArray& folder) override;
    bool nameTaken(const QByteArray& target) override;
    std::optional<bool> confirmReplace(PlacementHost& host, const OverwriteQuestion& question,
                                       const PlaceRequest& request) override;
    // In move mode by a rename where one can do it, else by a copy.
    PlaceOutcome placeAt(const PlaceRequest& request) override;

private:
    PlaceOutcome attempt(const PlaceRequest& request, const struct stat* entry);
    // attempt() between the recorder's intent (with use) and its record of the outcome.
    PlaceOutcome recorded(const PlaceRequest& request, const struct stat* sourceEntry, NameUse use);

    ActionRecorder* m_recorder;
};

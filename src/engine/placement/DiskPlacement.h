#pragma once

#include "engine/placement/PlacementActions.h"
#include "engine/placement/PlacementKind.h"

#include <QHash>

#include <sys/stat.h>

class ActionRecorder;
class PlacementBatch;
class RunHost;

// The run's placement on the disk: copies, renames and folders made, each taken down by the recorder where the run
// has one (intent before the action, the replaced file kept before it is replaced, the outcome after). The host,
// where given, is told of each step as it ends (RunHost::stepEnded). Each destination folder is opened once (see
// FolderMemory), and the checks, the new file, its naming and the rename of a move all act on that open folder, so
// that a folder swapped for a symbolic link meanwhile never sends a file, or a replacement, out of the output folder.
// With a batch (a journaled run), a placement that needs no answer before the next file is queued there, its intent
// written with the batch's; whatever needs the disk as it will be (a name a queued placement takes, a question, an
// auto-numbered name, an action made at once) makes the queued placements first.
class DiskPlacement final : public PlacementActions {
public:
    explicit DiskPlacement(QByteArray outputFolder, ActionRecorder* recorder = nullptr, RunHost* host = nullptr,
                           PlacementBatch* batch = nullptr);

    bool reachesFolder(const QByteArray& folder) override;
    // Each level made relative to the open level above it; the recorder is told of each.
    void ensureFolder(const QByteArray& folder) override;
    // The first time the run places into folder, the temporary files that ended processes of ours left there go.
    void enterFolder(const QByteArray& folder) override;
    bool nameTaken(const QByteArray& folder, const QByteArray& target) override;
    std::optional<bool> confirmReplace(PlacementHost& host, const OverwriteQuestion& question,
                                       const PlaceRequest& request) override;
    // Compares in chunks, host.keepComparing() between two; the step names the listed file this run placed at the name.
    std::optional<PlaceOutcome> identicalAtTarget(const PlaceRequest& request, PlacementHost& host) override;
    // In move mode by a rename where one can do it, else by a copy.
    PlaceOutcome placeAt(const PlaceRequest& request) override;
    void passedBy(const QByteArray& source, PlanAction action, const QString& because) override;
    // A copy whose source changed goes again: through the recorder, which also brings back a file it replaced.
    void moveSettled(const QByteArray& source, const Fs::Error& failure, bool sourceChanged) override;

private:
    // Tells the host of a step that ended, with the saved sort it belongs to.
    void tell(PlanStep step) const;
    // Tells the host of step now, or after the placements queued before it.
    void tellHost(const PlanStep& step) const;
    PlaceOutcome attempt(const PlaceRequest& request, const struct stat* entry);
    void ended(const PlaceRequest& request, bool replaces, const PlaceOutcome& outcome);

    // A move made by a copy: its step ends once its source is deleted or kept.
    struct AwaitedMove {
        PlanStep step;
        bool earlierFailure = false; // an earlier placement of the file failed, and its failure is the one settled
        int recordedStep = 0;        // the recorder's number of the step
        struct stat copy {};         // the new file
    };
    // Takes the move's copy away again, while the target still holds it.
    void takeBack(const AwaitedMove& move);
    // The placement with the recorder: first as if the name were free, then, where it is taken, as the request
    // says; replaces tells whether the step replaced a file.
    PlaceOutcome journaled(const PlaceRequest& request, const struct stat* sourceEntry, bool& replaces);
    // The rest of journaled() once the intent of step, the attempt as if the name were free, is on the kernel.
    PlaceOutcome fromFreeAttempt(const PlaceRequest& request, const struct stat* sourceEntry, int step, bool& replaces);
    // Queues the placement in the batch, its intent that of the attempt as if the name were free.
    PlaceOutcome deferred(const PlaceRequest& request, const struct stat* sourceEntry);
    // attempt() between the recorder's intent (with use) and its record of the outcome.
    PlaceOutcome recorded(const PlaceRequest& request, const struct stat* sourceEntry, NameUse use);
    // Records the outcome of the step's attempt.
    const PlaceOutcome& recordOutcome(int step, const PlaceOutcome& outcome);
    // Makes the batch's queued placements, before anything that depends on them.
    void makeQueued();

    ActionRecorder* m_recorder;
    RunHost* m_host;
    PlacementBatch* m_batch;
    QHash<QByteArray, AwaitedMove> m_awaitedMoves; // by source
    QHash<QByteArray, QByteArray> m_placedFrom;    // by target: the listed file this run placed there
    QByteArray m_lastFailedSource;
    int m_lastRecordedStep = 0;
};

#pragma once

#include "engine/RunReport.h"
#include "engine/SortPlan.h"
#include "engine/SortStages.h"

#include "engine/FilePlacements.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <deque>
#include <functional>
#include <memory>

class ActionRecorder;
class Criterion;
class MoveBatch;
class PlacementActions;
class PlacementBatch;
class RunHost;
class SortContext;
struct RunInputs;

// What a real run (RunSort) and its plan (PlanSort) share: the checks before the run, the active page's criterion
// and the pass over the list.

// False when the run of inputs must not start: nothing to sort, include mode with nothing to include, or an output
// folder whose name cannot be written. The host was told why.
bool CheckRunInputs(RunHost& host, const RunInputs& inputs);

// The criterion of the inputs' page, or nothing when its parameter step refused the run (the host was told why).
std::unique_ptr<Criterion> CriterionFor(RunHost& host, const RunInputs& inputs);

// One pass over the list, the same for a real run and a plan. Each file goes with the first stage whose filter and
// criterion it passes. Only a real run (moves given) shows its progress, takes the user's stop and deletes the
// sources of its moves. A journaled run's placements wait in its batch (the stages' placements share it), and each
// file counts once they are made, in the order of the list.
struct SortPass {
    RunHost& host;
    QList<SortStage> stages;
    MoveBatch* moves = nullptr;
    ActionRecorder* recorder = nullptr;
    PlacementBatch* batch = nullptr;
    // A plan's pace, where given: called after each file with the count of files looked at so far; false ends the
    // pass there, as the user's stop ends a run.
    std::function<bool(int filesLooked)> afterFile{};

    RunReport run();

private:
    // A placed file whose outcome is not counted yet: some of its placements wait in the batch, or an earlier file's.
    struct PlacedFile {
        QByteArray source;
        int stage = 0;
        FilePlacements placements;
    };
    // What the pass keeps between files: the stage of each move waiting in the move batch, and the placed files not
    // counted yet, in the order of the list.
    struct Pending {
        QHash<QByteArray, int> stageOfMove;
        std::deque<PlacedFile> files;
    };
    // False when the file was passed over, so that the run goes on to the next file at once.
    bool sortFile(const QByteArray& source, RunReport& report, Pending& pending);
    // Counts the placed files, from the first, as long as every placement of theirs is made.
    void countPlaced(RunReport& report, Pending& pending);
    // Makes what waits in the batch and counts every placed file.
    void makeAll(RunReport& report, Pending& pending);
    // Counts the moves of the batch, once their sources are deleted or kept.
    void settle(RunReport& report, Pending& pending);
    // Counts a file that no stage took (Filtered or NoMatch) in its outcome, and tells the last stage's placement
    // why, or that the file is gone.
    void passBy(const QByteArray& source, PlanAction action, QString because, RunReport& report);
};

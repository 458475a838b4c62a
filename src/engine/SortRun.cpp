#include "engine/SortRun.h"

#include "engine/RunHost.h"
#include "engine/RunReport.h"
#include "engine/SortPass.h"
#include "engine/SortStages.h"
#include "engine/criteria/Criterion.h"
#include "engine/placement/DiskPlacement.h"
#include "engine/placement/MoveBatch.h"
#include "engine/placement/PlacementBatch.h"

#include <QFile>

void RunSort(RunHost& host) {
    std::optional<QList<CheckedInputs>> checked =
        CheckInputsOf(host, [&](const QString& outputFolder) { host.setOutputFolder(outputFolder); });
    if (!checked) {
        return;
    }
    RecordingStart recording = host.startRecording(DescriptionOfChecked(*checked, host.fileCount()));
    if (!recording.proceed) {
        return;
    }
    ActionRecorder* recorder = recording.recorder.get();

    host.setRunLock(true);
    std::optional<PlacementBatch> batch;
    if (recorder) {
        batch.emplace(*recorder);
    }
    PlacementBatch* placements = batch ? &*batch : nullptr;
    SortStages stages(
        host, std::move(*checked),
        [&](const CheckedInputs& inputs) {
            return std::make_unique<DiskPlacement>(QFile::encodeName(inputs.inputs.outputFolder), recorder, &host,
                                                   placements);
        },
        recorder);
    MoveBatch moves;
    const RunReport report = SortPass{host, stages.stages(), &moves, recorder, placements}.run();
    if (recorder) {
        recorder->finish(report);
        recording.recorder.reset(); // the journal is complete and no longer locked
    }
    host.setProgress(100);
    host.setRunLock(false);
    host.showCompletion(report);
    host.setProgress(0);
}

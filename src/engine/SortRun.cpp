#include "engine/SortRun.h"

#include "engine/RunHost.h"
#include "engine/RunReport.h"
#include "engine/SortContext.h"
#include "engine/SortPass.h"
#include "engine/criteria/Criterion.h"
#include "engine/placement/DiskPlacement.h"
#include "engine/placement/MoveBatch.h"

#include <QFile>

void RunSort(RunHost& host) {
    RunInputs inputs = host.runInputs();
    if (!CheckRunInputs(host, inputs)) {
        return;
    }
    inputs.outputFolder = NormalisedOutputFolder(inputs.outputFolder);
    host.setOutputFolder(inputs.outputFolder);
    const std::unique_ptr<Criterion> criterion = CriterionFor(host, inputs);
    if (!criterion) {
        return;
    }
    RecordingStart recording = host.startRecording(DescriptionOf(inputs, host.fileCount()));
    if (!recording.proceed) {
        return;
    }
    ActionRecorder* recorder = recording.recorder.get();

    host.setRunLock(true);
    DiskPlacement actions(QFile::encodeName(inputs.outputFolder), recorder, &host);
    SortContext context(host, std::move(inputs), actions);
    criterion->begin(context);
    MoveBatch moves;
    const RunReport report = SortPass{host, *criterion, context, actions, &moves, recorder}.run();
    if (recorder) {
        recorder->finish(report);
        recording.recorder.reset(); // the journal is complete and no longer locked
    }
    host.setProgress(100);
    host.setRunLock(false);
    host.showCompletion(report);
    host.setProgress(0);
}

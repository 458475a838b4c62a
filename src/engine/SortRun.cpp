#include "engine/SortRun.h"

#include "engine/RunHost.h"
#include "engine/RunReport.h"
#include "engine/SortContext.h"
#include "engine/SortPass.h"
#include "engine/criteria/Criterion.h"
#include "engine/placement/DiskPlacement.h"
#include "engine/placement/MoveBatch.h"

#include <QFile>

namespace {

RunDescription descriptionOf(const RunHost& host) {
    return {CriterionPage(host.pageIndex()), host.moveMode(), host.sameNamePolicy(), host.fileCount(),
            QFile::encodeName(host.outputFolder())};
}

} // namespace

void RunSort(RunHost& host) {
    if (!CheckRunInputs(host)) {
        return;
    }
    host.setOutputFolder(NormalisedOutputFolder(host.outputFolder()));
    const std::unique_ptr<Criterion> criterion = CriterionFor(host);
    if (!criterion) {
        return;
    }
    RecordingStart recording = host.startRecording(descriptionOf(host));
    if (!recording.proceed) {
        return;
    }
    ActionRecorder* recorder = recording.recorder.get();

    host.setRunLock(true);
    DiskPlacement actions(QFile::encodeName(host.outputFolder()), recorder, &host);
    SortContext context(host, actions);
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

#include "JournaledHost.h"

#include "journal/JournalRecorder.h"

RecordingStart JournaledHost::startRecording(const RunDescription& run) {
    Fs::Result<std::unique_ptr<JournalRecorder>> recorder = StartJournal(run, journals);
    if (recorder.failed()) {
        runId.clear();
        return {};
    }
    runId = (*recorder)->journal().id();
    return {true, std::move(*recorder)};
}

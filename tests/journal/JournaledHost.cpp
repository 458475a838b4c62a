#include "JournaledHost.h"

#include "journal/JournalRecorder.h"

RecordingStart JournaledHost::startRecording(const RunDescription& run) {
    Fs::Error error;
    std::unique_ptr<JournalRecorder> recorder = JournalRecorder::start(journals, run, error);
    runId = recorder ? recorder->journal().id() : QByteArray();
    return {true, std::move(recorder)};
}

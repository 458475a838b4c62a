#pragma once

#include "journal/JournalFolder.h"
#include "testsupport/FakeRunHost.h"

#include <QByteArray>

// A run's host whose run keeps a journal, and remembers its id.
struct JournaledHost : FakeRunHost {
    JournalFolder journals = JournalFolder::standard();
    QByteArray runId;
    RecordingStart startRecording(const RunDescription& run) override;
};

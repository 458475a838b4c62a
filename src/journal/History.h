#pragma once

#include "journal/JournalFolder.h"
#include "journal/JournalReader.h"
#include "journal/JournalRecords.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The runs a journal folder holds, as a history window or `varnoth history` lists them.

enum class RunState {
    Complete,     // went through its whole list
    Stopped,      // stopped part-way by the user or a signal
    Interrupted,  // cut off (a crash or a power cut): its journal has no last record and no run holds it
    Running,      // its process still holds the journal's lock
    Undone,       // an undo went through it and took every step back
    PartlyUndone, // an undo went through it but left steps as they were (see RunSummary::leftByUndo)
};

// The state in the user's words (Chinese source text, translatable): 完成, 已停止, 中断, 进行中, 已撤销, 部分撤销.
QString RunStateText(RunState state);
// The state as an untranslated code for programs: complete, stopped, interrupted, running, undone, partly-undone.
const char* RunStateCode(RunState state);

struct RunSummary {
    QByteArray id; // the journal's name without ".journal": the identifier of the run
    RunHeader header;
    RunState state = RunState::Interrupted;
    std::optional<RunCounts> counts; // from the run's last record; none for a run cut off
    bool undoUnfinished = false;     // an undo of it was cut off; undoing it again finishes it
    int leftByUndo = 0;              // for PartlyUndone: the steps the last undo left
    // The run has a step that acted: a file placed or a folder made. Only such a run is the one a plain undo picks.
    bool acted = true;

    // The run's start in local time.
    QDateTime startTime() const { return QDateTime::fromMSecsSinceEpoch(header.startNs / 1000000); }
};

// The summary of one journal, read from its first records and its last ones only, so that a long journal costs no
// more than a short one. Nothing when the journal is missing or its first records cannot be read.
std::optional<RunSummary> ReadRunSummary(const JournalFolder& folder, const QByteArray& id);

// The first records of the journal of the run id only: what its run was; nothing when they cannot be read.
std::optional<RunHeader> ReadRunHeader(const JournalFolder& folder, const QByteArray& id);

// The journal of the run id as far as it can be read, to show its steps; nothing when it cannot be opened. A
// symbolic link is not followed.
std::optional<JournalContent> ReadRunJournal(const JournalFolder& folder, const QByteArray& id);

// The short id of each of ids, in their order, as a user types it: the first lower-case hex digits of the SHA-1 of
// the id's bytes, at least four and as many more as it takes to tell the id's hash from that of every other id in
// ids. The hash never changes, so a short id only grows while a run whose hash begins alike is kept.
QByteArrayList ShortRunIds(const QByteArrayList& ids);

// True when shortId, four hex digits or more in either case, begins the hash of id that ShortRunIds cuts from.
bool ShortIdNames(QByteArrayView shortId, QByteArrayView id);

// Every run in the folder, newest first.
QList<RunSummary> ListRuns(const JournalFolder& folder);

// True when an undo of run may be asked for: it is not undone yet (a partly undone run is tried again) and not still
// running.
bool CanBeUndone(const RunSummary& run);

// Whether a plain undo may pick the batches of watched folders, or only the runs the user started.
enum class WatchBatches { Skipped, Included };

// The run a plain undo picks: the newest run that acted and either can be undone or is still running (an undo then
// leaves it alone rather than reach past it to an older run), if any. Watch batches only when included.
std::optional<RunSummary> LastRunToUndo(const JournalFolder& folder, WatchBatches batches = WatchBatches::Skipped);
// The run that a plain undo picks after the run id, once id is undone as far as it can be: the newest such run
// older than id.
std::optional<RunSummary> RunToUndoBefore(const JournalFolder& folder, const QByteArray& id,
                                          WatchBatches batches = WatchBatches::Skipped);
// The number of watch batches newer than the run a plain undo that skips them picks, which it would have picked
// otherwise: what it passed over.
int WatchBatchesPassedOver(const JournalFolder& folder);

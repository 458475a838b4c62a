#pragma once

#include "core/FsError.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>

// Why a listed file could not be placed, or its source not removed after a move. The window, the preview, the
// journal and the command line all speak of failures in these terms.
enum class FailureReason {
    Unreadable,        // the source may not be read
    NoPermission,      // the destination folder may not be written, or the source's folder not changed
    NoSpace,           // the disk or the quota is full, or the file-size limit was reached
    Vanished,          // the source is no longer there
    WriteProtected,    // the file of the same name has no write permission bit
    SameFile,          // the destination is the source itself, under another spelling or a hard link
    NotRegularFile,    // the source is a folder, FIFO, socket or device
    FolderHoldsName,   // a folder holds the destination's name
    NoFolder,          // the destination folder is not there and could not be made
    ChangedDuringCopy, // the source changed while it was copied, so it was kept
    Interrupted,       // the copy was stopped part-way
    Other,             // anything else the file system reported
};

// The reason a failed file-system step stands for.
FailureReason FailureReasonOf(const Fs::Error& error);
// The reason in the user's words (Chinese source text, translatable).
QString FailureReasonText(FailureReason reason);
// The reason as an untranslated code for programs, such as "write-protected" or "no-space".
const char* FailureReasonCode(FailureReason reason);

// What became of one listed file. Each file has exactly one outcome, the first of these that applies; every text
// for people counts them in this order.
enum class RunOutcome {
    Failed,      // a placement, or the removal of a moved source, failed
    Placed,      // at least one placement succeeded
    Left,        // the same-name policy left a placement undone (skip, or the answer No), and none was made
    Identical,   // every placement found a file of the same bytes at its name and was not made
    Filtered,    // passed over by the extension filter (or the picture types) before the criterion looked at it
    NotMatching, // no match, or its size, time or picture could not be read
};

struct FailedFile {
    QByteArray path;
    FailureReason reason = FailureReason::Other;
    Fs::Error error; // the step that failed, for the details
};

// The outcome of a whole run, as the completion box reports it.
struct RunReport {
    int failed = 0;
    int placed = 0;
    int left = 0;
    int identical = 0;
    int filtered = 0;
    int notMatching = 0;
    bool stopped = false; // the run ended before the last file (stop button, closing window, termination signal)
    int notReached = 0;   // files the run did not come to because it stopped
    QList<FailedFile> failures;
    // Moved files whose name led to another file when their source was to be deleted (a new version was saved over
    // it): the file there was kept, and the sorted copy is the only copy left of the file that was read.
    QByteArrayList onlyCopies;
    // Files that move mode left at their source, because a file of the same bytes already held their target name.
    QByteArrayList keptAtSource;
    int birthTimeFallbacks = 0;        // files whose creation time was not recorded, compared by modification time
    QByteArrayList takenDateFallbacks; // files that record no taken date, measured by their modification time

    void count(RunOutcome outcome);
    // Counts the file at path with its outcome, and lists it with failure when it failed.
    void add(const QByteArray& path, RunOutcome outcome, const Fs::Error& failure);
};

// format, a translated text, with %1 to %6 filled in with the report's counts in the one order every text for people
// shows them: failed, placed, left, identical, filtered, not matching.
QString WithOutcomeCounts(const QString& format, const RunReport& report);

// The completion message's first lines: "分拣工作完成！" and, when files failed, how many.
QString CompletionMessage(const RunReport& report);

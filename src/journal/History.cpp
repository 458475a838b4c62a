#include "journal/History.h"

#include "core/FsDescriptor.h"
#include "journal/CodeTable.h"
#include "journal/JournalLine.h"
#include "journal/JournalReader.h"

#include <QCoreApplication>
#include <QCryptographicHash>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype kWindow = 1 << 16;
constexpr qsizetype kShortestShortId = 4;

constexpr CodeTable<RunState, 6> kRunStates{{
    {RunState::Complete, "complete", QT_TRANSLATE_NOOP("RunState", "完成")},
    {RunState::Stopped, "stopped", QT_TRANSLATE_NOOP("RunState", "已停止")},
    {RunState::Interrupted, "interrupted", QT_TRANSLATE_NOOP("RunState", "中断")},
    {RunState::Running, "running", QT_TRANSLATE_NOOP("RunState", "进行中")},
    {RunState::Undone, "undone", QT_TRANSLATE_NOOP("RunState", "已撤销")},
    {RunState::PartlyUndone, "partly-undone", QT_TRANSLATE_NOOP("RunState", "部分撤销")},
}};

QByteArray readAt(int descriptor, off_t offset, qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    const ssize_t got = ::pread(descriptor, bytes.data(), size_t(size), offset);
    return got > 0 ? bytes.first(got) : QByteArray();
}

// The whole lines of bytes, the last one first; the first piece is dropped unless bytes start the file.
QList<QByteArrayView> linesBackwards(QByteArrayView bytes, bool fromFileStart) {
    QList<QByteArrayView> lines;
    qsizetype end = bytes.lastIndexOf('\n');
    while (end > 0) {
        const qsizetype start = bytes.lastIndexOf('\n', end - 1) + 1;
        if (start == 0 && !fromFileStart) {
            break;
        }
        lines.append(bytes.sliced(start, end - start));
        end = start - 1;
    }
    return lines;
}

// Reads the state from the last records: the first one going backwards that decides it. False when the window
// holds none.
bool decideFromTail(QByteArrayView tail, bool fromFileStart, RunSummary& summary) {
    for (const QByteArrayView line : linesBackwards(tail, fromFileStart)) {
        const std::optional<JournalLineFields> fields = JournalLineFields::parse(line);
        if (!fields) {
            continue;
        }
        const QByteArray& type = fields->type();
        if (type == "undo-begin" || type == "undo" || type == "undone" || type == "not-undone") {
            summary.undoUnfinished = true;
            continue;
        }
        if (type == "undo-end" || type == "end") {
            const std::optional<RunEnd> end = EndFields(*fields);
            summary.counts = end ? std::optional(end->counts) : std::nullopt;
            summary.leftByUndo = type == "undo-end" ? int(fields->number("remaining").value_or(0)) : 0;
            summary.state = type == "undo-end"    ? (summary.leftByUndo > 0 ? RunState::PartlyUndone : RunState::Undone)
                            : end && end->stopped ? RunState::Stopped
                                                  : RunState::Complete;
            summary.undoUnfinished = summary.undoUnfinished && type == "end";
            return true;
        }
        summary.state = RunState::Interrupted;
        return true;
    }
    return false;
}

// True when the journal records a step that acted: a placement that did not fail, or a folder made.
bool actedIn(int descriptor) {
    const JournalContent content = ReadJournal(descriptor);
    return std::any_of(content.steps.cbegin(), content.steps.cend(),
                       [](const JournalStep& step) { return !step.failed; });
}

bool undoPicks(const RunSummary& run, WatchBatches batches) {
    return run.acted && (CanBeUndone(run) || run.state == RunState::Running) &&
           (batches == WatchBatches::Included || !run.header.watch);
}

QByteArray idHash(QByteArrayView id) {
    return QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex();
}

qsizetype commonPrefixLength(const QByteArray& a, const QByteArray& b) {
    qsizetype length = 0;
    while (length < a.size() && length < b.size() && a[length] == b[length]) {
        ++length;
    }
    return length;
}

} // namespace

QString RunStateText(RunState state) {
    return QCoreApplication::translate("RunState", EntryOf(kRunStates, state).text);
}

const char* RunStateCode(RunState state) {
    return EntryOf(kRunStates, state).code;
}

namespace {

// The journal of the run id, open for reading when it is a regular file (a symbolic link is not followed), with its
// status.
Fs::Descriptor openJournal(const JournalFolder& folder, const QByteArray& id, struct stat& status) {
    Fs::Descriptor file = Fs::Open(folder.journalPath(id), O_RDONLY | O_NONBLOCK | O_NOFOLLOW);
    if (!file.isOpen() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {};
    }
    return file;
}

// The run record of an open journal, from its first two lines.
std::optional<RunHeader> headerIn(int descriptor) {
    const QByteArray start = readAt(descriptor, 0, kWindow);
    const qsizetype firstEnd = start.indexOf('\n');
    const qsizetype secondEnd = firstEnd < 0 ? -1 : start.indexOf('\n', firstEnd + 1);
    if (secondEnd < 0) {
        return std::nullopt;
    }
    const std::optional<JournalLineFields> header = JournalLineFields::parse(QByteArrayView(start).first(firstEnd));
    const std::optional<JournalLineFields> run =
        JournalLineFields::parse(QByteArrayView(start).sliced(firstEnd + 1, secondEnd - firstEnd - 1));
    if (!header || !JournalHeaderVersion(*header) || !run || run->type() != "run") {
        return std::nullopt;
    }
    return RunFields(*run);
}

} // namespace

std::optional<RunHeader> ReadRunHeader(const JournalFolder& folder, const QByteArray& id) {
    struct stat status {};
    const Fs::Descriptor file = openJournal(folder, id, status);
    return file.isOpen() ? headerIn(file.get()) : std::nullopt;
}

std::optional<RunSummary> ReadRunSummary(const JournalFolder& folder, const QByteArray& id) {
    struct stat status {};
    const Fs::Descriptor file = openJournal(folder, id, status);
    const std::optional<RunHeader> runHeader = file.isOpen() ? headerIn(file.get()) : std::nullopt;
    if (!runHeader) {
        return std::nullopt;
    }
    RunSummary summary{id, *runHeader, RunState::Interrupted, std::nullopt, false};
    // The window grows until a record decides the state: only an undo cut off makes it read more than the end.
    for (qsizetype window = kWindow;; window *= 4) {
        const off_t from = std::max<off_t>(0, status.st_size - window);
        summary.undoUnfinished = false;
        if (decideFromTail(readAt(file.get(), from, qsizetype(status.st_size - from)), from == 0, summary) ||
            from == 0) {
            break;
        }
    }
    if (folder.isLocked(id)) {
        summary.state = RunState::Running;
    }
    // Only a run that placed no file can be one that did nothing at all: its journal tells, read whole. A running
    // run counts as acting, so that a plain undo never passes it by.
    if (summary.state != RunState::Running && (!summary.counts || summary.counts->placed == 0)) {
        summary.acted = actedIn(file.get());
    }
    return summary;
}

std::optional<JournalContent> ReadRunJournal(const JournalFolder& folder, const QByteArray& id) {
    const Fs::Descriptor file = Fs::Open(folder.journalPath(id), O_RDONLY | O_NONBLOCK | O_NOFOLLOW);
    if (!JournalFolder::isRunId(id) || !file.isOpen()) {
        return std::nullopt;
    }
    return ReadJournal(file.get());
}

QByteArrayList ShortRunIds(const QByteArrayList& ids) {
    QByteArrayList hashes;
    for (const QByteArray& id : ids) {
        hashes.append(idHash(id));
    }
    // In sorted order, the hash that shares the longest beginning with a hash is one of its two neighbours.
    QByteArrayList sorted = hashes;
    std::sort(sorted.begin(), sorted.end());
    QByteArrayList shortIds;
    for (const QByteArray& hash : hashes) {
        const qsizetype at = std::lower_bound(sorted.cbegin(), sorted.cend(), hash) - sorted.cbegin();
        qsizetype shared = 0;
        if (at > 0) {
            shared = commonPrefixLength(hash, sorted[at - 1]);
        }
        if (at + 1 < sorted.size()) {
            shared = std::max(shared, commonPrefixLength(hash, sorted[at + 1]));
        }
        shortIds.append(hash.first(std::min(hash.size(), std::max(kShortestShortId, shared + 1))));
    }
    return shortIds;
}

bool ShortIdNames(QByteArrayView shortId, QByteArrayView id) {
    const QByteArray digits = shortId.toByteArray().toLower();
    const bool hex = std::all_of(digits.cbegin(), digits.cend(),
                                 [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
    return hex && digits.size() >= kShortestShortId && idHash(id).startsWith(digits);
}

QList<RunSummary> ListRuns(const JournalFolder& folder) {
    QList<RunSummary> runs;
    for (const QByteArray& id : folder.runIds()) {
        if (std::optional<RunSummary> summary = ReadRunSummary(folder, id)) {
            runs.append(*summary);
        }
    }
    std::stable_sort(runs.begin(), runs.end(), [](const RunSummary& a, const RunSummary& b) {
        return a.header.startNs != b.header.startNs ? a.header.startNs > b.header.startNs : a.id > b.id;
    });
    return runs;
}

bool CanBeUndone(const RunSummary& run) {
    return run.state != RunState::Undone && run.state != RunState::Running;
}

std::optional<RunSummary> LastRunToUndo(const JournalFolder& folder, WatchBatches batches) {
    for (const RunSummary& run : ListRuns(folder)) {
        if (undoPicks(run, batches)) {
            return run;
        }
    }
    return std::nullopt;
}

int WatchBatchesPassedOver(const JournalFolder& folder) {
    int passed = 0;
    for (const RunSummary& run : ListRuns(folder)) {
        if (undoPicks(run, WatchBatches::Skipped)) {
            break;
        }
        passed += undoPicks(run, WatchBatches::Included) ? 1 : 0;
    }
    return passed;
}

std::optional<RunSummary> RunToUndoBefore(const JournalFolder& folder, const QByteArray& id, WatchBatches batches) {
    bool past = false;
    for (const RunSummary& run : ListRuns(folder)) {
        if (past && undoPicks(run, batches)) {
            return run;
        }
        past = past || run.id == id;
    }
    return std::nullopt;
}

#include "journal/JournalRetention.h"

#include "journal/History.h"

QByteArrayList RunsPastRetention(const QList<RetentionEntry>& entries, qint64 nowNs, const RetentionLimits& limits) {
    qsizetype userRunsNewer = 0;
    QList<bool> removed(entries.size(), false);
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        const RetentionEntry& entry = entries[i];
        if (entry.watch) {
            removed[i] = nowNs - entry.startNs > limits.watchBatchAgeNs;
        } else {
            removed[i] = userRunsNewer >= limits.userRuns;
            ++userRunsNewer;
        }
    }
    QByteArrayList ids;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (removed[i]) {
            ids.append(entries[i].id);
        }
    }
    return ids;
}

void PruneRuns(const JournalFolder& folder, qint64 nowNs, const RetentionLimits& limits) {
    const QByteArrayList ids = folder.runIds();
    QList<RetentionEntry> entries;
    entries.reserve(ids.size());
    for (const QByteArray& id : ids) {
        const std::optional<RunHeader> run = ReadRunHeader(folder, id);
        entries.append(run ? RetentionEntry{id, run->startNs, run->watch} : RetentionEntry{id, nowNs});
    }
    for (const QByteArray& id : RunsPastRetention(entries, nowNs, limits)) {
        folder.removeRun(id);
    }
}

#pragma once

#include "journal/JournalFolder.h"

#include <QByteArrayList>

// How long journals are kept: the newest runs the user started, and the batches of watched folders by age, so that
// a day of downloads sorted one batch at a time never pushes the user's own runs out of the history.
struct RetentionLimits {
    int userRuns = 50;
    qint64 watchBatchAgeNs = qint64(14) * 24 * 3600 * 1000000000;
};

// The journal of one run as retention weighs it.
struct RetentionEntry {
    QByteArray id;
    qint64 startNs = 0;
    bool watch = false;
};

// The ids of entries (oldest first) that retention removes at nowNs: every run past the newest limits.userRuns
// runs that are not watch batches, and every watch batch that started more than limits.watchBatchAgeNs ago.
QByteArrayList RunsPastRetention(const QList<RetentionEntry>& entries, qint64 nowNs,
                                 const RetentionLimits& limits = {});

// Removes the journals past retention from folder (see JournalFolder::removeRun for those it keeps regardless). A
// journal whose first records cannot be read counts as a run the user started.
void PruneRuns(const JournalFolder& folder, qint64 nowNs, const RetentionLimits& limits = {});

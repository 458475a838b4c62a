#pragma once

#include "engine/RunReport.h"
#include "engine/placement/Placement.h"

#include <QList>

class PlacementBatch;

// What became of one file's placements, in the order the criterion made them. A placement queued in a batch is
// Deferred until the batch makes it; resolve() then puts its outcome in its place.
class FilePlacements {
public:
    void add(const PlaceOutcome& outcome) { m_placements.append(outcome); }
    // Takes the outcomes of the deferred placements that batch made; true once none is deferred any more.
    bool resolve(PlacementBatch* batch);

    // The rest reads resolved placements only.
    // True when the file's last placement copied it in move mode, so that its source is still to be deleted.
    bool sourceAwaitsDeletion() const;
    // The source as the file's first copy read it; only while sourceAwaitsDeletion().
    const Fs::SourceRecord& sourceRecord() const;
    // The file's last placement.
    const PlaceOutcome& last() const { return m_placements.last(); }
    // The outcome of the file once every placement is made.
    RunOutcome outcome() const;
    // Why the file failed, when it did; the first failure is the one reported.
    Fs::Error failure() const;

private:
    QList<PlaceOutcome> m_placements;
};

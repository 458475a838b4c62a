#pragma once

#include "engine/placement/Placement.h"

#include <QByteArray>
#include <QHash>
#include <QSet>

#include <functional>
#include <vector>

class ActionRecorder;

// The placements of a journaled run that are decided and not yet made. Their intents wait in the recorder, and
// flush() puts them on the kernel in one write before it makes the first of them, then makes them all in the order
// they were decided. So a run writes its journal once per batch instead of once per file, and the rule of the
// journal holds: no action before its intent. A killed run may leave intents whose actions never happened; undo
// confirms each uncompleted intent by what the target holds, so such an intent undoes nothing.
// Whatever the run tells its host meanwhile waits in the same queue, so that the host hears of every step in order.
class PlacementBatch {
public:
    // The most actions one write of intents covers: large enough that the write is a small share of the batch's
    // time, small enough that a crash leaves few intents behind. Copies end a batch sooner, by their bytes, so that
    // the window hears of the user's stop between two batches within a moment.
    static constexpr int kMostActions = 256;
    static constexpr qint64 kMostBytes = qint64(16) << 20;

    explicit PlacementBatch(ActionRecorder& recorder) : m_recorder(recorder) {}
    PlacementBatch(const PlacementBatch&) = delete;
    PlacementBatch& operator=(const PlacementBatch&) = delete;

    // Queues an action that places a file of size bytes at target, its intent already queued with the recorder;
    // act makes it and gives its outcome. Returns the ticket that takeOutcome() answers once the action was made.
    int add(const QByteArray& target, qint64 size, std::function<PlaceOutcome()> act);
    // True while what the run tells its host must wait behind queued actions (see tell()).
    bool holdsSteps() const { return !m_queue.empty() && !m_flushing; }
    // Tells the host after the actions and tells queued before it; only while holdsSteps().
    void tell(std::function<void()> telling);
    // True when a queued action places a file at target.
    bool holdsTarget(const QByteArray& target) const { return m_targets.contains(target); }
    bool full() const { return m_actions >= kMostActions || m_bytes >= kMostBytes; }
    // False while flush() makes the queued actions: an action made meanwhile is made at once.
    bool accepting() const { return !m_flushing; }
    // Writes the queued intents, then makes the queued actions in order. Does nothing while it is already at it.
    void flush();
    // The outcome of the action with ticket, once it was made (only once).
    std::optional<PlaceOutcome> takeOutcome(int ticket);

private:
    ActionRecorder& m_recorder;
    // An action (with its ticket) or a tell, in the order they were queued.
    struct Queued {
        int ticket = 0;
        std::function<PlaceOutcome()> act;
        std::function<void()> telling;
    };
    std::vector<Queued> m_queue;
    QSet<QByteArray> m_targets;
    QHash<int, PlaceOutcome> m_outcomes;
    int m_actions = 0;
    qint64 m_bytes = 0; // of the queued actions that may copy
    int m_nextTicket = 1;
    bool m_flushing = false;
};

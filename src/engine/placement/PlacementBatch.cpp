#include "engine/placement/PlacementBatch.h"

#include "engine/ActionRecorder.h"

#include <utility>

int PlacementBatch::add(const QByteArray& target, qint64 size, std::function<PlaceOutcome()> act) {
    const int ticket = m_nextTicket++;
    m_queue.push_back({ticket, std::move(act), {}});
    m_targets.insert(target);
    ++m_actions;
    m_bytes += size;
    return ticket;
}

void PlacementBatch::tell(std::function<void()> telling) {
    m_queue.push_back({0, {}, std::move(telling)});
}

void PlacementBatch::flush() {
    if (m_flushing || m_queue.empty()) {
        return;
    }
    m_flushing = true;
    m_recorder.writeQueued();
    // An action may tell the host, which may process events; nothing is queued meanwhile (accepting() is false).
    const std::vector<Queued> queue = std::exchange(m_queue, {});
    m_targets.clear();
    m_actions = 0;
    m_bytes = 0;
    for (const Queued& queued : queue) {
        if (queued.act) {
            m_outcomes.insert(queued.ticket, queued.act());
        } else {
            queued.telling();
        }
    }
    m_flushing = false;
}

std::optional<PlaceOutcome> PlacementBatch::takeOutcome(int ticket) {
    const auto found = m_outcomes.find(ticket);
    if (found == m_outcomes.end()) {
        return std::nullopt;
    }
    std::optional<PlaceOutcome> outcome = std::move(*found);
    m_outcomes.erase(found);
    return outcome;
}

#include "engine/FilePlacements.h"

#include "engine/placement/PlacementBatch.h"

#include <algorithm>

namespace {
bool isA(const PlaceOutcome& outcome, PlaceResult result) {
    return outcome.result == result;
}
} // namespace

bool FilePlacements::resolve(PlacementBatch* batch) {
    bool resolved = true;
    for (PlaceOutcome& placement : m_placements) {
        if (placement.result != PlaceResult::Deferred) {
            continue;
        }
        if (std::optional<PlaceOutcome> made = batch ? batch->takeOutcome(placement.ticket) : std::nullopt) {
            placement = std::move(*made);
        } else {
            resolved = false;
        }
    }
    return resolved;
}

bool FilePlacements::sourceAwaitsDeletion() const {
    return !m_placements.isEmpty() && last().result == PlaceResult::Copied && last().moveMode;
}

const Fs::SourceRecord& FilePlacements::sourceRecord() const {
    return std::find_if(m_placements.cbegin(), m_placements.cend(),
                        [](const PlaceOutcome& placement) { return isA(placement, PlaceResult::Copied); })
        ->source;
}

Fs::Error FilePlacements::failure() const {
    for (const PlaceOutcome& placement : m_placements) {
        if (isA(placement, PlaceResult::Failed)) {
            return placement.error;
        }
    }
    return {};
}

RunOutcome FilePlacements::outcome() const {
    const auto any = [this](PlaceResult result) {
        return std::any_of(m_placements.cbegin(), m_placements.cend(),
                           [result](const PlaceOutcome& placement) { return isA(placement, result); });
    };
    if (any(PlaceResult::Failed)) {
        return RunOutcome::Failed;
    }
    if (any(PlaceResult::Copied) || any(PlaceResult::Moved)) {
        return RunOutcome::Placed;
    }
    return any(PlaceResult::Identical) && !any(PlaceResult::Declined) ? RunOutcome::Identical : RunOutcome::Left;
}

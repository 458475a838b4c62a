#include "filelist/CaseKeyIndex.h"

void CaseKeyIndex::insert(quint32 hash, quint32 row) {
    if (2 * (m_count + 1) > m_slots.size()) {
        grow();
    }
    place(slotOf(hash, row));
    ++m_count;
}

void CaseKeyIndex::place(quint64 slot) {
    size_t at = hashOf(slot) & mask();
    while (m_slots[at] != 0) {
        at = (at + 1) & mask();
    }
    m_slots[at] = slot;
}

void CaseKeyIndex::grow() {
    std::vector<quint64> previous(m_slots.empty() ? 16 : 2 * m_slots.size(), 0);
    previous.swap(m_slots); // m_slots is now the larger, empty table
    for (const quint64 slot : previous) {
        if (slot != 0) {
            place(slot);
        }
    }
}

void CaseKeyIndex::remove(quint32 hash, quint32 row) {
    if (m_slots.empty()) {
        return;
    }
    size_t hole = hash & mask();
    while (m_slots[hole] != slotOf(hash, row)) {
        if (m_slots[hole] == 0) {
            return;
        }
        hole = (hole + 1) & mask();
    }
    // Backward-shift deletion: every later slot of the probe run that may move into the hole moves, so that no
    // lookup ever stops early at a gap.
    for (size_t at = (hole + 1) & mask(); m_slots[at] != 0; at = (at + 1) & mask()) {
        const size_t home = hashOf(m_slots[at]) & mask();
        if (((at - home) & mask()) >= ((at - hole) & mask())) {
            m_slots[hole] = m_slots[at];
            hole = at;
        }
    }
    m_slots[hole] = 0;
    --m_count;
    for (quint64& slot : m_slots) {
        if (slot != 0 && rowOf(slot) > row) {
            slot -= quint64(1) << 32;
        }
    }
}

void CaseKeyIndex::clear() {
    m_slots.clear();
    m_count = 0;
}

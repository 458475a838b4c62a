#pragma once

#include <QtGlobal>

#include <vector>

// The uniqueness index of the file list: for each row, a 32-bit hash of its case-folded key, in an open-addressing
// table of 8-byte slots (hash and row). It keeps no key bytes: a lookup yields the rows whose hash matches, and the
// caller compares their paths. Several rows may share a hash, as case twins naming different files do.
class CaseKeyIndex {
public:
    void insert(quint32 hash, quint32 row);
    // Calls matches(row) for the rows with this hash until one returns true; whether one did.
    template <typename Matches> bool anyOf(quint32 hash, Matches matches) const {
        if (m_slots.empty()) {
            return false;
        }
        for (size_t at = hash & mask();; at = (at + 1) & mask()) {
            const quint64 slot = m_slots[at];
            if (slot == 0) {
                return false;
            }
            if (hashOf(slot) == hash && matches(rowOf(slot))) {
                return true;
            }
        }
    }
    // Takes row out and renumbers the rows after it, as the list closes the gap.
    void remove(quint32 hash, quint32 row);
    void clear();

private:
    // A slot holds row + 1 in its high half (0: empty) and the hash in its low half.
    static quint64 slotOf(quint32 hash, quint32 row) { return quint64(row + 1) << 32 | hash; }
    static quint32 hashOf(quint64 slot) { return quint32(slot); }
    static quint32 rowOf(quint64 slot) { return quint32(slot >> 32) - 1; }
    size_t mask() const { return m_slots.size() - 1; }
    void place(quint64 slot);
    void grow();

    std::vector<quint64> m_slots; // a power of two in size, at most half full
    size_t m_count = 0;
};

#include "filelist/PathArena.h"

#include <algorithm>
#include <cstring>

namespace {
// Large enough that the blocks of a million paths are a few dozen allocations; the unused end of each block is
// at most one path long.
constexpr quint32 kBlockSize = 1 << 20;
} // namespace

PathArena::Ref PathArena::add(QByteArrayView bytes) {
    const auto size = quint32(bytes.size());
    if (m_blocks.empty() || m_capacity - m_used < size) {
        m_capacity = std::max(kBlockSize, size);
        // Not value-initialised: pages of the block are touched, and so resident, only as paths fill them.
        m_blocks.emplace_back(new char[m_capacity]);
        m_used = 0;
    }
    const Ref ref{quint32(m_blocks.size() - 1), m_used, size};
    if (size > 0) {
        std::memcpy(m_blocks.back().get() + m_used, bytes.data(), size);
    }
    m_used += size;
    return ref;
}

void PathArena::clear() {
    m_blocks.clear();
    m_used = 0;
    m_capacity = 0;
}

#pragma once

#include <QByteArrayView>

#include <memory>
#include <vector>

// Path bytes kept one after another in large blocks, so that a million paths cost their bytes and a few blocks,
// not an allocation and a header each. A path never moves once added; its bytes are given back only by clear().
class PathArena {
public:
    // Where a path's bytes lie: block, offset within it, length.
    struct Ref {
        quint32 block = 0;
        quint32 offset = 0;
        quint32 size = 0;
    };

    // Copies bytes into the arena. A path longer than a block gets a block of its own.
    Ref add(QByteArrayView bytes);
    QByteArrayView view(Ref ref) const { return {m_blocks[ref.block].get() + ref.offset, qsizetype(ref.size)}; }
    void clear();

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    quint32 m_used = 0;     // bytes taken in the last block
    quint32 m_capacity = 0; // size of the last block
};

#include "media/HeifExifBlock.h"

#include "media/IsoBmffBoxes.h"

std::optional<QByteArrayView> TiffOfHeifExifBlock(QByteArrayView block) {
    constexpr qsizetype kOffsetBytes = 4;
    if (block.size() < kOffsetBytes) {
        return std::nullopt;
    }
    const quint64 offset = BigEndianNumber(block.first(kOffsetBytes));
    if (offset >= quint64(block.size() - kOffsetBytes)) {
        return std::nullopt;
    }
    return block.sliced(kOffsetBytes + qsizetype(offset));
}

#include "media/MediaContainer.h"

#include "media/IsoBmffBoxes.h"

#include <QList>

#include <algorithm>
#include <array>

namespace {

// More brands than any real file type box lists.
constexpr qint64 kMaxBrandBytes = 256;

// The brands of the HEIF image formats: HEIC, HEIF image and sequence, AVIF image and sequence.
constexpr std::array kHeifBrands{FourCc("heic"), FourCc("heix"), FourCc("heim"), FourCc("heis"), FourCc("hevc"),
                                 FourCc("hevx"), FourCc("mif1"), FourCc("msf1"), FourCc("avif"), FourCc("avis")};

// The first box of an old QuickTime movie, which has no file type box.
constexpr std::array kQuickTimeFirstBoxes{FourCc("moov"), FourCc("mdat"), FourCc("wide"),
                                          FourCc("free"), FourCc("skip"), FourCc("pnot")};

bool isHeifBrand(quint32 brand) {
    return std::find(kHeifBrands.begin(), kHeifBrands.end(), brand) != kHeifBrands.end();
}

// The brands of a file type box: the major brand, then the compatible ones (the minor version between them is left
// out).
QList<quint32> brandsOf(const ByteSource& bytes, const BoxHeader& fileType) {
    const qint64 length = std::min(fileType.end - fileType.contentStart, kMaxBrandBytes);
    QByteArray content(length, Qt::Uninitialized);
    QList<quint32> brands;
    if (!bytes.readExactly(fileType.contentStart, std::span(content.data(), size_t(length)))) {
        return brands;
    }
    for (qint64 at = 0; at + 4 <= length; at += at == 0 ? 8 : 4) {
        brands.append(quint32(BigEndianNumber(QByteArrayView(content).sliced(at, 4))));
    }
    return brands;
}

} // namespace

MediaContainer ContainerOf(const ByteSource& bytes) {
    const std::optional<BoxHeader> first = ReadBoxHeader(bytes, 0, bytes.size());
    if (!first) {
        return MediaContainer::Other;
    }
    if (first->type != FourCc("ftyp")) {
        const bool quickTime = std::find(kQuickTimeFirstBoxes.begin(), kQuickTimeFirstBoxes.end(), first->type) !=
                               kQuickTimeFirstBoxes.end();
        return quickTime ? MediaContainer::Movie : MediaContainer::Other;
    }
    // A file type box that names a HEIF brand, as its major brand or a compatible one, is a picture's.
    const QList<quint32> brands = brandsOf(bytes, *first);
    return std::any_of(brands.begin(), brands.end(), isHeifBrand) ? MediaContainer::HeifImage : MediaContainer::Movie;
}

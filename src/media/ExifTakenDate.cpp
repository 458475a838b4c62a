#include "media/ExifTakenDate.h"

#include "media/DescriptorIo.h"
#include "media/ExifDateText.h"

#include <exiv2/cr2image.hpp>
#include <exiv2/error.hpp>
#include <exiv2/exif.hpp>
#include <exiv2/image.hpp>
#include <exiv2/jpgimage.hpp>
#include <exiv2/orfimage.hpp>
#include <exiv2/pngimage.hpp>
#include <exiv2/rw2image.hpp>
#include <exiv2/tiffimage.hpp>
#include <exiv2/webpimage.hpp>
#include <exiv2/xmp_exiv2.hpp>

#include <algorithm>
#include <array>
#include <mutex>

namespace {

// Exiv2's types of the formats read; NEF, ARW and DNG are Exiv2's TIFF type.
constexpr std::array kReadTypes{Exiv2::ImageType::jpeg, Exiv2::ImageType::tiff, Exiv2::ImageType::png,
                                Exiv2::ImageType::webp, Exiv2::ImageType::cr2,  Exiv2::ImageType::orf,
                                Exiv2::ImageType::rw2};

// Longer than any date or offset text; a longer value is a damaged one.
constexpr long kMaxTextBytes = 64;

// The EXIF tags of a taken date, in the order they are asked: each date tag with its offset tag.
struct DateTags {
    quint16 dateTime;
    quint16 offset;
};
constexpr std::array kDateTags{DateTags{0x9003, 0x9011},  // DateTimeOriginal, OffsetTimeOriginal
                               DateTags{0x9004, 0x9012}}; // DateTimeDigitized (CreateDate), OffsetTimeDigitized

// Exiv2 parses the XMP packet of a picture too, through a toolkit that two threads may use only in turn.
void LockXmp(void* mutex, bool lock) {
    if (lock) {
        static_cast<std::mutex*>(mutex)->lock();
    } else {
        static_cast<std::mutex*>(mutex)->unlock();
    }
}

// Exiv2 writes its warnings and errors to the standard error unless told not to.
void PrepareExiv2() {
    static std::once_flag prepared;
    static std::mutex xmpLock;
    std::call_once(prepared, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize(LockXmp, &xmpLock);
    });
}

QByteArray TextOf(const Exiv2::ExifData& exif, quint16 tag) {
    const auto found = exif.findKey(Exiv2::ExifKey(tag, "Photo"));
    if (found == exif.end() || found->size() > kMaxTextBytes) {
        return {};
    }
    return QByteArray::fromStdString(found->toString());
}

TakenDate TakenDateOf(const Exiv2::ExifData& exif) {
    for (const DateTags& tags : kDateTags) {
        const TakenDate taken = TakenDateOfExifTexts(TextOf(exif, tags.dateTime), TextOf(exif, tags.offset));
        if (taken.exists()) {
            return taken;
        }
    }
    return {};
}

// Exiv2 reports a damaged file by throwing its own errors, and a size it was made to allocate by bad_alloc; both
// derive from std::exception.
template <typename Reading> TakenDate Guarded(const Reading& reading) {
    PrepareExiv2();
    try {
        return reading();
    } catch (const std::exception&) {
        return {};
    }
}

// Exiv2 0.27 takes and gives its objects in std::auto_ptr, which C++17 deprecated and compilers warn of.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
// The picture Exiv2 reads through input, which it takes over.
TakenDate TakenDateOfImage(Exiv2::BasicIo* input) {
    Exiv2::BasicIo::AutoPtr io(input);
    return Guarded([&] {
        const int type = Exiv2::ImageFactory::getType(*io);
        if (std::find(kReadTypes.begin(), kReadTypes.end(), type) == kReadTypes.end()) {
            return TakenDate();
        }
        const Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::create(type, io);
        image->readMetadata();
        return TakenDateOf(image->exifData());
    });
}
#pragma GCC diagnostic pop

} // namespace

TakenDate ExifTakenDateOfFile(const Fs::RegularFile& file) {
    return TakenDateOfImage(new DescriptorIo(file));
}

TakenDate ExifTakenDateOfBytes(QByteArrayView picture) {
    return TakenDateOfImage(
        new Exiv2::MemIo(reinterpret_cast<const Exiv2::byte*>(picture.data()), long(picture.size())));
}

TakenDate ExifTakenDateOfTiff(QByteArrayView tiff) {
    return Guarded([&] {
        Exiv2::ExifData exif;
        Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(tiff.data()), uint32_t(tiff.size()));
        return TakenDateOf(exif);
    });
}

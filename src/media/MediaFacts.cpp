#include "media/MediaFacts.h"

#include "media/ByteSource.h"
#include "media/ExifTakenDate.h"
#include "media/HeifExifBlock.h"
#include "media/HeifFile.h"
#include "media/MediaContainer.h"
#include "media/MovieHeader.h"

namespace {

TakenDate HeifTakenDate(const Fs::RegularFile& file) {
    const QByteArray block = HeifFile(file).exifBlock();
    const std::optional<QByteArrayView> tiff = TiffOfHeifExifBlock(block);
    return tiff ? ExifTakenDateOfTiff(*tiff) : TakenDate();
}

} // namespace

TakenDate ReadTakenDate(const QByteArray& path) {
    const Fs::RegularFile file(path);
    return file.isOpen() ? ReadTakenDate(file) : TakenDate();
}

TakenDate ReadTakenDate(const Fs::RegularFile& file) {
    const FileBytes bytes(file);
    switch (ContainerOf(bytes)) {
    case MediaContainer::HeifImage:
        return HeifTakenDate(file);
    case MediaContainer::Movie:
        return MovieTakenDate(bytes);
    case MediaContainer::Other:
        return ExifTakenDateOfFile(file);
    }
    return {};
}

QSize ReadHeifDisplaySize(const QByteArray& path) {
    const Fs::RegularFile file(path);
    return file.isOpen() ? ReadHeifDisplaySize(file) : QSize();
}

QSize ReadHeifDisplaySize(const Fs::RegularFile& file) {
    return ContainerOf(FileBytes(file)) == MediaContainer::HeifImage ? HeifFile(file).displayedSize() : QSize();
}

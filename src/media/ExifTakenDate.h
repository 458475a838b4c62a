#pragma once

#include "core/FsRegularFile.h"
#include "media/TakenDate.h"

#include <QByteArrayView>

// The taken date in a picture's EXIF, read through Exiv2: DateTimeOriginal with OffsetTimeOriginal, or where that
// gives no date, DateTimeDigitized (CreateDate) with OffsetTimeDigitized. Only JPEG, TIFF, PNG, WebP and the raw
// formats built on TIFF (CR2, NEF, ARW, DNG, ORF, RW2) are read, each recognised by its content; anything else, and
// any file Exiv2 cannot read, has no taken date. Exiv2 reports nothing on the standard error.

// The picture in the open regular file.
TakenDate ExifTakenDateOfFile(const Fs::RegularFile& file);

// The picture in memory.
TakenDate ExifTakenDateOfBytes(QByteArrayView picture);

// EXIF as a TIFF structure alone, as a HEIF file holds it.
TakenDate ExifTakenDateOfTiff(QByteArrayView tiff);

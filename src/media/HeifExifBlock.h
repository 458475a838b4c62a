#pragma once

#include <QByteArrayView>

#include <optional>

// The TIFF structure of EXIF inside the EXIF block of a HEIF or AVIF file. The block starts with a 4-byte big-endian
// offset from the end of those 4 bytes to the TIFF header (0, or 6 past an "Exif\0\0" prefix); none when the block
// is shorter than that or the offset points past its end.
std::optional<QByteArrayView> TiffOfHeifExifBlock(QByteArrayView block);

#pragma once

#include <QByteArray>

// Which side of a picture to measure.
enum class ImageDimension { Height = 0, Width = 1 };

// The width or height in pixels of the picture in the regular file at path, or 0 when the file cannot be opened as
// a picture (missing, unreadable, not a picture, a format without a decoder, a damaged header). The format is
// recognised by content, not by name, and only the header is read: no pixels are decoded. Nothing of the file is
// held open afterwards. JPEG, BMP, GIF, PNG, TIFF and WebP are measured by Qt's image readers; HEIC, HEIF and
// AVIF by their primary image's header, at the size shown after their rotation.
quint32 ProbeImageDimension(const QByteArray& path, ImageDimension which);

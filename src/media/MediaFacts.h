#pragma once

#include "core/FsRegularFile.h"
#include "media/TakenDate.h"

#include <QByteArray>
#include <QSize>

// What a picture or video file records about itself, read from its headers alone, by a reader chosen by the
// file's content and never by its name. Only a regular file is opened (never waiting on a FIFO or device), and
// nothing of it is held open afterwards.

// When the picture or video at path was taken: for a picture, EXIF's DateTimeOriginal, or else its CreateDate
// (JPEG, TIFF, PNG, WebP and the raw formats built on TIFF through Exiv2; HEIC, HEIF and AVIF through libheif); for
// a movie (MP4, MOV, M4V, 3GP), the creation time of its mvhd box. No taken date for a file that cannot be opened or
// read, or that records none.
TakenDate ReadTakenDate(const QByteArray& path);
// The same of a file already open.
TakenDate ReadTakenDate(const Fs::RegularFile& file);

// The size of a HEIC, HEIF or AVIF picture as it is shown (after the rotation its file records); invalid for a file
// that cannot be opened, is of another format, or is damaged.
QSize ReadHeifDisplaySize(const QByteArray& path);
// The same of a file already open.
QSize ReadHeifDisplaySize(const Fs::RegularFile& file);

#pragma once

#include <QByteArray>
#include <QString>

// Pictures made at test time. Qt writes JPEG, PNG, BMP and TIFF but has no GIF writer, so GIFs are encoded here.

// Writes a width × height picture to path in format ("jpg", "png", "gif", "bmp" or "tiff"), whatever the name's
// extension; false when it cannot be written.
bool WriteTestImage(const QString& path, const char* format, int width, int height);

// A one-pixel PNG at path, its file cut or padded to bytes (with 200 bytes or more its header stays whole, so it is
// still measured); its path as file-system bytes, empty when it cannot be written.
QByteArray WriteOnePixelPicture(const QString& path, qint64 bytes);

#pragma once

#include <QString>
#include <QStringList>

// The outside programs that write pictures and movies for tests and benchmarks, so that what the program reads is
// checked against writers no one here wrote: exiftool (libimage-exiftool-perl), ImageMagick (imagemagick) and
// libheif's heif-enc (libheif-examples).
class MediaTools {
public:
    MediaTools();

    // Empty when every tool is there; otherwise which are missing, for QSKIP.
    QString missing() const;

    // Each runs its tool and returns empty on success, otherwise the command and what it said.
    // A width × height picture of one colour at path, in the format its extension names (jpg, tif, png, webp).
    QString makePicture(const QString& path, int width, int height) const;
    // A HEIC or AVIF picture (as the extension of heifPath says) encoded from the picture at source.
    QString encodeHeif(const QString& source, const QString& heifPath) const;
    // Tags written by exiftool in place: arguments such as -DateTimeOriginal=2021:03:04 05:06:07, then the files.
    QString writeTags(const QStringList& arguments) const;

private:
    QString m_exiftool;
    QString m_imageMagick;
    QString m_heifEncoder;
};

#pragma once

#include "core/FsRegularFile.h"

#include <QByteArray>
#include <QSize>

#include <memory>

struct heif_context;
struct heif_image_handle;
struct HeifInput;

// The primary image of a HEIF, HEIC or AVIF file in an open regular file, read through libheif: no image is decoded.
// libheif reads through this object, from the open file and never by its name, and no more than a fixed budget of
// bytes in all.
class HeifFile {
public:
    explicit HeifFile(const Fs::RegularFile& file);
    ~HeifFile();
    HeifFile(const HeifFile&) = delete;
    HeifFile& operator=(const HeifFile&) = delete;

    // The primary image's size as it is shown, after its rotation and mirroring; invalid when libheif found none.
    QSize displayedSize() const;
    // The primary image's EXIF block as the file holds it; empty when it has none, or one larger than any real one.
    QByteArray exifBlock() const;

private:
    std::unique_ptr<HeifInput> m_input;
    heif_context* m_context;
    heif_image_handle* m_primary = nullptr;
};

#pragma once

#include "media/ByteSource.h"

// Which reader a file calls for, told by its first bytes and never by its name.
enum class MediaContainer {
    HeifImage, // an ISO base media file of a HEIF, HEIC or AVIF picture: libheif
    Movie,     // any other ISO base media file (MP4, MOV, M4V, 3GP), or a QuickTime movie without a file type box
    Other,     // anything else: Exiv2 tells the picture formats apart
};

MediaContainer ContainerOf(const ByteSource& bytes);

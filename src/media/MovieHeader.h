#pragma once

#include "media/ByteSource.h"
#include "media/TakenDate.h"

// The creation time of a movie (MP4, MOV, M4V, 3GP): the mvhd box inside the top-level moov box, in seconds since
// 1904 in UTC, 32-bit in a version 0 box and 64-bit in a version 1 box. No taken date when there is none, when it
// is 0, or when it lies past the year 9999. At most a fixed number of box headers and the mvhd box's first bytes
// are read, however large the file: boxes before moov, such as a media data box of gigabytes, are passed over by
// their sizes.
TakenDate MovieTakenDate(const ByteSource& bytes);

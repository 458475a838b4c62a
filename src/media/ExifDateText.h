#pragma once

#include "media/TakenDate.h"

#include <QByteArrayView>

// The taken date in EXIF's own texts: a date and time "YYYY:MM:DD HH:MM:SS" in the camera's local time, and the
// offset from UTC "+HH:MM" or "-HH:MM" of the tag that goes with it, where the file has one (an empty offset text
// when not). A blank date, "0000:00:00 00:00:00" or any impossible date or time is no taken date; an offset that
// cannot be read leaves the time as written. Trailing NULs and spaces are ignored.
TakenDate TakenDateOfExifTexts(QByteArrayView dateTime, QByteArrayView offset);

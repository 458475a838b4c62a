#pragma once

#include "engine/criteria/PageFields.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>

// A file's time as the date pages use it, in the machine's time zone.
struct FileTime {
    // The calendar date a folder is named by: for a taken date, the date as the camera wrote it.
    QDate calendarDate;
    // The moment for comparisons, in local time. Invalid, as is calendarDate, when the time cannot be read.
    QDateTime localMoment;
    // The file records no taken date, or its file system no creation time: its modification time stood in.
    bool modificationStoodIn = false;
};

// The time source names of the regular file at path (links followed): the date a picture or video records of
// itself (MediaFacts), its modification time, or its creation time (birth time; the modification time where the
// file system keeps none). The taken date and the modification time are read from the file opened for reading,
// the creation time from its directory entry.
FileTime ReadFileTime(const QByteArray& path, DateSource source);

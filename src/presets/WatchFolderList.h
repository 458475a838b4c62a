#pragma once

#include <QByteArrayList>
#include <QByteArrayView>

#include <optional>

// The value of a saved sort's WatchFolders key: the folders to watch, each percent-escaped (PercentEscapes.h, '|'
// escaped too) and joined by '|', so that any path survives on the one line of the key.
QByteArray WatchFoldersValue(const QByteArrayList& folders);

// The folders of a WatchFolders value (none for an empty one), or nothing when the value is malformed.
std::optional<QByteArrayList> WatchFoldersOf(QByteArrayView value);

#pragma once

#include "FileSystemFixtures.h"

#include <QByteArrayList>
#include <QFile>

// List entries that name no regular file to measure, made in folder (made here, so it must not exist yet): a FIFO
// (opening it must never block), a folder, a missing file and a dangling symbolic link. Their names end in .png so that
// every filter lets them in.
inline QByteArrayList MakeUnmeasurables(const QString& folder) {
    const QByteArray base = QFile::encodeName(folder);
    MakeFolder(base);
    MakeFifo(base + "/fifo.png");
    MakeFolder(base + "/folder.png");
    MakeLink("nowhere.png", base + "/dangling.png");
    return {base + "/fifo.png", base + "/folder.png", base + "/missing.png", base + "/dangling.png"};
}

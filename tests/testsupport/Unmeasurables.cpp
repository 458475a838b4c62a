#include "testsupport/Unmeasurables.h"

#include "testsupport/FileSystemFixtures.h"

#include <QFile>

QByteArrayList MakeUnmeasurables(const QString& folder) {
    const QByteArray base = QFile::encodeName(folder);
    MakeFolder(base);
    MakeFifo(base + "/fifo.png");
    MakeFolder(base + "/folder.png");
    MakeLink("nowhere.png", base + "/dangling.png");
    return {base + "/fifo.png", base + "/folder.png", base + "/missing.png", base + "/dangling.png"};
}

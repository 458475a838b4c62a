#include "ui/OutputFolder.h"

#include "core/FsEntries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString DefaultOutputFolder() {
    return QDir::homePath() + QStringLiteral("/Varnoth");
}

QString ChooserStartFolder(const QString& outputFolderText) {
    QString folder = QDir::cleanPath(outputFolderText);
    while (QDir::isAbsolutePath(folder)) {
        if (Fs::ReachesFolder(QFile::encodeName(folder))) {
            return folder;
        }
        const QString parent = QFileInfo(folder).path();
        if (parent == folder) {
            break;
        }
        folder = parent;
    }
    return QDir::homePath();
}

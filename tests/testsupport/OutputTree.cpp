#include "testsupport/OutputTree.h"

#include <QDir>
#include <QDirIterator>

QStringList TreeOf(const QString& folder) {
    const QDir root(folder);
    QStringList tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo entry = it.fileInfo();
        tree.append(root.relativeFilePath(entry.filePath()) + (entry.isDir() ? QStringLiteral("/") : QString()));
    }
    tree.sort();
    return tree;
}

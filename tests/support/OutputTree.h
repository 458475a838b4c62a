#pragma once

#include <QDir>
#include <QDirIterator>
#include <QStringList>

// Everything below folder as paths relative to it, sorted, folders marked by a final '/', hidden entries included:
// one literal list shows which folders a run made and where each file landed.
inline QStringList TreeOf(const QString& folder) {
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

#include "core/FileNames.h"

QByteArray FileNameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray StemOf(const QByteArray& fileName) {
    const qsizetype dot = fileName.lastIndexOf('.');
    return dot < 0 ? fileName : fileName.left(dot);
}

QByteArray ExtensionOf(const QByteArray& fileName) {
    const qsizetype dot = fileName.lastIndexOf('.');
    return dot < 0 ? QByteArray() : fileName.mid(dot);
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return QByteArrayLiteral(".");
    }
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray JoinPath(const QByteArray& folder, const QByteArray& name) {
    return folder + '/' + name;
}

QByteArrayList FolderLevels(const QByteArray& folder) {
    QByteArrayList levels;
    QByteArray level = folder.startsWith('/') ? "/" : "";
    for (const QByteArray& component : folder.split('/')) {
        if (component.isEmpty() || component == ".") {
            continue;
        }
        level += (level.isEmpty() || level.endsWith('/') ? "" : "/") + component;
        levels.append(level);
    }
    return levels;
}

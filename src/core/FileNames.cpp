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

QByteArray SharedFolder(const QByteArray& a, const QByteArray& b) {
    qsizetype shared = 0;
    while (shared < a.size() && shared < b.size() && a[shared] == b[shared]) {
        ++shared;
    }
    const qsizetype slash = shared == 0 ? -1 : a.lastIndexOf('/', shared - 1);
    return slash < 0 ? QByteArray() : a.first(slash + 1);
}

QByteArray PathBelow(const QByteArray& folder, const QByteArray& path) {
    if (folder.isEmpty() || folder == "/" || !folder.endsWith('/') || !path.startsWith(folder)) {
        return path;
    }
    QByteArrayView rest = QByteArrayView(path).sliced(folder.size());
    while (rest.startsWith('/') || rest.startsWith("./")) {
        rest = rest.sliced(rest.startsWith('/') ? 1 : 2);
    }
    return rest.isEmpty() ? path : rest.toByteArray();
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

#include "PathBytes.h"

#include <QFile>
#include <QStringList>

#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

bool entryExists(const QByteArray& path) {
    struct stat pathStat {};
    return ::lstat(path.constData(), &pathStat) == 0;
}

// The name in folder that Qt shows as shownName, or a null array when there is none.
QByteArray nameShownAs(const QByteArray& folder, const QString& shownName) {
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(folder.constData()), ::closedir);
    if (!directory) {
        return {};
    }
    while (const dirent* entry = ::readdir(directory.get())) {
        const QByteArray name(entry->d_name);
        if (QFile::decodeName(name) == shownName) {
            return name;
        }
    }
    return {};
}

} // namespace

QByteArray PathBytesOf(const QString& path) {
    const QByteArray encoded = QFile::encodeName(path);
    if (!path.startsWith(u'/') || entryExists(encoded)) {
        return encoded;
    }
    QByteArray resolved;
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts)) {
        QByteArray next = resolved + '/' + QFile::encodeName(part);
        if (!entryExists(next)) {
            const QByteArray name = nameShownAs(resolved.isEmpty() ? QByteArray("/") : resolved, part);
            if (name.isNull()) {
                return encoded;
            }
            next = resolved + '/' + name;
        }
        resolved = next;
    }
    return resolved;
}

#include "settings/IniFile.h"

#include "core/FileNames.h"
#include "core/FsAtomicFile.h"
#include "core/FsEntries.h"
#include "core/FsRegularFile.h"

#include <QFile>

Fs::Error ReadIniFile(const QString& path, IniDocument& document) {
    QByteArray bytes;
    const Fs::Error error = Fs::ReadRegularFile(QFile::encodeName(path), bytes);
    // Nothing by that name, or a file where a folder of the path should be: there is no file to read.
    const bool missing =
        error.operation == Fs::Operation::OpenSource && (error.code == ENOENT || error.code == ENOTDIR);
    if (error.failed() && !missing) {
        return error;
    }
    document = IniDocument(bytes);
    return {};
}

Fs::Error WriteIniFile(const QString& path, const IniDocument& document) {
    const QByteArray file = QFile::encodeName(path);
    Fs::MakeFolders(FolderOf(file));
    return Fs::ReplaceFileContent(file, document.toBytes());
}

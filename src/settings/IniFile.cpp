#include "settings/IniFile.h"

#include "core/FileNames.h"
#include "core/FsAtomicFile.h"
#include "core/FsEntries.h"
#include "core/FsRegularFile.h"

#include <QFile>

namespace {

// The content of the regular file at path, when it holds at most kLongestIniFile bytes. The size is checked on the
// open file and again while reading, so a file that grows in between, or a link to a device, is never read whole.
Fs::Error readSmallRegularFile(const QByteArray& path, QByteArray& content) {
    const Fs::RegularFile file(path);
    if (!file.isOpen()) {
        return file.error();
    }
    if (file.status().st_size > kLongestIniFile) {
        return {Fs::Operation::CheckSource, EFBIG};
    }
    QFile reader;
    if (!reader.open(file.descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        return {Fs::Operation::ReadSource, EIO};
    }
    const QByteArray read = reader.read(kLongestIniFile + 1);
    if (reader.error() != QFileDevice::NoError) {
        return {Fs::Operation::ReadSource, EIO};
    }
    if (read.size() > kLongestIniFile) {
        return {Fs::Operation::CheckSource, EFBIG};
    }
    content = read;
    return {};
}

} // namespace

Fs::Error ReadIniFile(const QString& path, IniDocument& document) {
    QByteArray bytes;
    const Fs::Error error = readSmallRegularFile(QFile::encodeName(path), bytes);
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
    // A folder that cannot be made fails the write that follows, with its own reason.
    (void)Fs::MakeFolders(FolderOf(file));
    return Fs::ReplaceFileContent(file, document.toBytes());
}

#include "filelist/ListFile.h"

#include "core/ReplaceableFile.h"
#include "filelist/FileListModel.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using StdioFile = std::unique_ptr<FILE, int (*)(FILE*)>;

// A symbolic link keeps pointing at the list: the file it leads to is the one replaced.
QByteArray followLink(const QByteArray& fileName) {
    struct stat linkStat {};
    if (::lstat(fileName.constData(), &linkStat) != 0 || !S_ISLNK(linkStat.st_mode)) {
        return fileName;
    }
    std::unique_ptr<char, void (*)(void*)> resolved(::realpath(fileName.constData(), nullptr), std::free);
    return resolved ? QByteArray(resolved.get()) : fileName;
}

// Writes text through fd, gives the file mode when it is not 0, flushes it to the disk and closes it; returns 0 or
// an errno value. The descriptor is closed in every case.
int writeDurably(int fd, const QByteArray& text, mode_t mode) {
    StdioFile file(::fdopen(fd, "wb"), std::fclose);
    if (!file) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    if (std::fwrite(text.constData(), 1, size_t(text.size()), file.get()) != size_t(text.size()) ||
        std::fflush(file.get()) != 0 || (mode != 0 && ::fchmod(fd, mode) != 0) || ::fsync(fd) != 0) {
        return errno;
    }
    // Some file systems report a failed write only when the file is closed.
    return std::fclose(file.release()) == 0 ? 0 : errno;
}

} // namespace

QString ListFileError::reason() const {
    return QString::fromLocal8Bit(std::strerror(code));
}

QByteArray ListFileText(const QByteArrayList& paths) {
    qsizetype length = 0;
    for (const QByteArray& path : paths) {
        length += path.size() + 2;
    }
    QByteArray text;
    text.reserve(length);
    for (const QByteArray& path : paths) {
        text += path;
        text += "\r\n";
    }
    return text;
}

QByteArrayList SplitListFileLines(const QByteArray& text) {
    QByteArrayList lines;
    const qsizetype nul = text.indexOf('\0');
    const qsizetype end = nul < 0 ? text.size() : nul;
    qsizetype start = 0;
    for (qsizetype at = 0; at < end; ++at) {
        const char c = text[at];
        if (c != '\r' && c != '\n') {
            continue;
        }
        lines.append(text.mid(start, at - start));
        if (c == '\r' && at + 1 < end && text[at + 1] == '\n') {
            ++at;
        }
        start = at + 1;
    }
    if (start < end) {
        lines.append(text.mid(start, end - start));
    }
    return lines;
}

QByteArrayList KeepExistingPaths(const QByteArrayList& paths) {
    QByteArrayList existing;
    existing.reserve(paths.size());
    for (const QByteArray& path : paths) {
        struct stat pathStat {};
        if (!path.isEmpty() && ::stat(path.constData(), &pathStat) == 0) {
            existing.append(path);
        }
    }
    return existing;
}

ListFileError WriteListFile(const QByteArray& fileName, const QByteArrayList& paths) {
    const QByteArray target = followLink(fileName);
    struct stat targetStat {};
    const bool replacing = ::stat(target.constData(), &targetStat) == 0;
    if (const int refusal = replacing ? ReplacementRefusal(targetStat) : 0) {
        return {refusal};
    }
    // A new list gets the permissions a new file gets (0666 less the umask).
    QByteArray temporary;
    const int fd = CreateTemporaryBeside(target, 0666, temporary);
    if (fd < 0) {
        return {errno};
    }
    // A replaced list keeps its permissions.
    int error = writeDurably(fd, ListFileText(paths), replacing ? targetStat.st_mode & 07777 : 0);
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.constData());
    }
    return {error};
}

ListFileError ReadListFile(const QByteArray& fileName, QByteArrayList& lines) {
    // O_NONBLOCK: a FIFO chosen as list file must not wait for a writer; it is refused below.
    const int fd = ::open(fileName.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {errno};
    }
    StdioFile file(::fdopen(fd, "rb"), std::fclose);
    if (!file) {
        const int error = errno;
        ::close(fd);
        return {error};
    }
    struct stat fileStat {};
    if (::fstat(fd, &fileStat) != 0) {
        return {errno};
    }
    if (!S_ISREG(fileStat.st_mode)) {
        return {S_ISDIR(fileStat.st_mode) ? EISDIR : EINVAL};
    }
    QByteArray text;
    text.reserve(qsizetype(fileStat.st_size));
    char chunk[1 << 16];
    while (const size_t got = std::fread(chunk, 1, sizeof chunk, file.get())) {
        text.append(chunk, qsizetype(got));
    }
    if (std::ferror(file.get())) {
        return {errno};
    }
    lines = SplitListFileLines(text);
    return {};
}

ListFileError ExportListFile(const QByteArray& fileName, const FileListModel& fileList) {
    return WriteListFile(fileName, fileList.paths());
}

ListFileError ImportListFile(const QByteArray& fileName, FileListModel& fileList) {
    QByteArrayList lines;
    const ListFileError error = ReadListFile(fileName, lines);
    if (!error.failed()) {
        fileList.AppendUnique(KeepExistingPaths(lines));
    }
    return error;
}

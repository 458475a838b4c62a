#include "journal/Trash.h"

#include "core/FileNames.h"
#include "core/FsDescriptor.h"
#include "journal/XdgFolders.h"

#include <QByteArrayList>
#include <QDateTime>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A trash folder, and the folder that the paths in its records are relative to (empty: absolute paths).
struct TrashFolder {
    QByteArray folder;
    QByteArray pathsRelativeTo;
};

// Makes path a folder of the user's own where it is missing (private), and checks that it is one: a real folder
// (not a link), owned by the user. CreateTemporary when it is not: ENOTDIR not a folder, EPERM another user's.
Fs::Error ownFolder(const QByteArray& path) {
    struct stat status {};
    if ((::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) || ::lstat(path.constData(), &status) != 0) {
        return Fs::FailureOf(Fs::Operation::CreateTemporary);
    }
    if (!S_ISDIR(status.st_mode)) {
        return {Fs::Operation::CreateTemporary, ENOTDIR};
    }
    return status.st_uid == ::getuid() ? Fs::Error() : Fs::Error{Fs::Operation::CreateTemporary, EPERM};
}

// The trash folder and its files/ and info/ folders, each the user's own (see ownFolder).
Fs::Error ownTrash(const QByteArray& trash) {
    for (const QByteArray& folder : {trash, trash + "/files", trash + "/info"}) {
        if (const Fs::Error error = ownFolder(folder); error.failed()) {
            return error;
        }
    }
    return {};
}

QByteArray resolved(const QByteArray& path) {
    const std::unique_ptr<char, void (*)(void*)> real(::realpath(path.constData(), nullptr), std::free);
    return real ? QByteArray(real.get()) : QByteArray();
}

// The top folder of the file system that holds folder: its highest folder on the same device.
QByteArray topFolderOf(const QByteArray& folder, dev_t device) {
    QByteArray top = resolved(folder);
    while (!top.isEmpty() && top != "/") {
        const QByteArray parent = FolderOf(top);
        struct stat status {};
        if (::stat(parent.constData(), &status) != 0 || status.st_dev != device) {
            break;
        }
        top = parent;
    }
    return top;
}

// The trashes that may take a file on device in folder, in the order to try them.
QList<TrashFolder> trashesFor(const QByteArray& folder, dev_t device) {
    QList<TrashFolder> trashes;
    const QByteArray home = DataHome() + "/Trash";
    struct stat status {};
    if (!MakePrivateFolders(home).failed() && ::stat(home.constData(), &status) == 0 && status.st_dev == device) {
        trashes.append({home, {}});
    }
    const QByteArray top = topFolderOf(folder, device);
    if (top.isEmpty()) {
        return trashes;
    }
    const QByteArray volume = top == "/" ? QByteArray() : top;
    const QByteArray uid = QByteArray::number(::getuid());
    const QByteArray shared = volume + "/.Trash";
    if (::lstat(shared.constData(), &status) == 0 && S_ISDIR(status.st_mode) && (status.st_mode & S_ISVTX)) {
        trashes.append({shared + '/' + uid, top});
    }
    trashes.append({volume + "/.Trash-" + uid, top});
    return trashes;
}

// The name of the entry number n for a file named name: name itself, then stem.n.ext; cut so that the record's
// name ("<name>.trashinfo") stays within the file system's limit.
QByteArray entryName(const QByteArray& name, int n) {
    const QByteArray stem = StemOf(name).left(180);
    const QByteArray extension = ExtensionOf(name).left(40);
    return n == 1 && name.size() <= 220 ? name : stem + '.' + QByteArray::number(n) + extension;
}

QByteArray infoText(const QByteArray& path) {
    return "[Trash Info]\nPath=" + TrashInfoPath(path) +
           "\nDeletionDate=" + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() +
           '\n';
}

Fs::Result<TrashedFile> linkInto(const TrashFolder& trash, const FileInFolder& source, const QByteArray& recordedPath) {
    if (const Fs::Error error = ownTrash(trash.folder); error.failed()) {
        return error;
    }
    const QByteArray name = FileNameOf(source.path);
    for (int n = 1; n < 10000; ++n) {
        const QByteArray entry = entryName(name, n);
        const QByteArray info = trash.folder + "/info/" + entry + ".trashinfo";
        Fs::Descriptor record = Fs::Open(info, O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (!record.isOpen()) {
            if (errno == EEXIST) {
                continue;
            }
            return Fs::FailureOf(Fs::Operation::CreateTemporary);
        }
        Fs::Error written = Fs::WriteAll(record.get(), infoText(recordedPath));
        if (!written.failed()) {
            written = record.close();
        }
        if (written.failed()) {
            ::unlink(info.constData());
            return written;
        }
        const QByteArray file = trash.folder + "/files/" + entry;
        if (::linkat(source.folder, source.name.constData(), AT_FDCWD, file.constData(), 0) == 0) {
            return TrashedFile{file, info};
        }
        const Fs::Error error = Fs::FailureOf(Fs::Operation::MoveIntoPlace);
        ::unlink(info.constData());
        if (error.code != EEXIST) {
            return error;
        }
    }
    return Fs::Error{Fs::Operation::CreateTemporary, EEXIST};
}

} // namespace

QByteArray TrashInfoPath(const QByteArray& path) {
    return path.toPercentEncoding("/");
}

Fs::Result<TrashedFile> LinkIntoTrash(const FileInFolder& source) {
    const QByteArray& path = source.path;
    struct stat status {};
    if (::fstatat(source.folder, source.name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return Fs::FailureOf(Fs::Operation::OpenSource);
    }
    if (!S_ISREG(status.st_mode)) {
        return Fs::Error{Fs::Operation::CheckSource, EINVAL};
    }
    const QByteArray folder = FolderOf(path);
    Fs::Error error{Fs::Operation::CreateTemporary, ENOENT};
    for (const TrashFolder& trash : trashesFor(folder, status.st_dev)) {
        // The home trash records absolute paths; a volume's trash records them relative to the volume's top.
        QByteArray recorded = resolved(folder) + '/' + FileNameOf(path);
        if (!trash.pathsRelativeTo.isEmpty()) {
            recorded = trash.pathsRelativeTo == "/" ? recorded.mid(1) : recorded.mid(trash.pathsRelativeTo.size() + 1);
        }
        Fs::Result<TrashedFile> trashed = linkInto(trash, source, recorded);
        if (!trashed.failed()) {
            return trashed;
        }
        error = trashed.error();
    }
    return error;
}

std::optional<TrashEntry> TrashEntryOf(const QByteArray& file, const QByteArray& info) {
    const QByteArray name = FileNameOf(file);
    const QByteArray files = FolderOf(file);
    const QByteArray trash = FolderOf(files);
    if (!file.startsWith('/') || file.split('/').contains("..") || name.isEmpty() || name == "." ||
        FileNameOf(files) != "files" || info != trash + "/info/" + name + ".trashinfo") {
        return std::nullopt;
    }
    const QByteArray uid = QByteArray::number(::getuid());
    const bool home = trash == DataHome() + "/Trash";
    const bool volume =
        FileNameOf(trash) == ".Trash-" + uid || (FileNameOf(trash) == uid && FileNameOf(FolderOf(trash)) == ".Trash");
    if (!home && !volume) {
        return std::nullopt;
    }
    return TrashEntry{trash, name};
}

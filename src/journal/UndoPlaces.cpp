#include "journal/UndoPlaces.h"

#include "core/FileNames.h"
#include "core/FsFileCopy.h"
#include "core/FsFolderWalk.h"
#include "core/FsLeftovers.h"
#include "journal/JournalTrust.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Folders held open at once; beyond it the cache starts afresh (places in use keep their folders open).
constexpr qsizetype kHeldFolders = 256;

std::shared_ptr<const Fs::Descriptor> shared(Fs::Descriptor descriptor) {
    return descriptor.isOpen() ? std::make_shared<const Fs::Descriptor>(std::move(descriptor)) : nullptr;
}

} // namespace

Place::Place(QByteArray path, int openError) : m_path(std::move(path)), m_openError(openError ? openError : EBADF) {}

Place::Place(std::shared_ptr<const Fs::Descriptor> folder, QByteArray name, QByteArray path)
    : m_folder(std::move(folder)), m_name(std::move(name)), m_path(std::move(path)) {}

Fs::Result<struct stat> Place::status() const {
    if (m_openError) {
        return Fs::Error{Fs::Operation::OpenSource, m_openError};
    }
    struct stat status {};
    if (::fstatat(m_folder->get(), m_name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return Fs::FailureOf(Fs::Operation::OpenSource);
    }
    return status;
}

std::optional<FileIdentity> Place::identity() const {
    const Fs::Result<struct stat> now = status();
    return now.failed() ? std::nullopt : std::optional(IdentityOf(*now));
}

bool Place::holds(const FileIdentity& expected) const {
    const Fs::Result<struct stat> now = status();
    return !now.failed() && S_ISREG(now->st_mode) && IdentityOf(*now) == expected;
}

bool Place::holdsCopyOf(const FileIdentity& identity) const {
    const Fs::Result<struct stat> now = status();
    if (now.failed() || !S_ISREG(now->st_mode)) {
        return false;
    }
    const FileIdentity found = IdentityOf(*now);
    return found.size == identity.size && found.mtimeNs == identity.mtimeNs;
}

bool Place::isFree() const {
    return status().error().code == ENOENT;
}

bool Place::createdSince(qint64 ns) const {
    struct statx now {};
    if (m_openError ||
        ::statx(m_folder->get(), m_name.constData(), AT_SYMLINK_NOFOLLOW, STATX_BTIME | STATX_CTIME, &now) != 0) {
        return false;
    }
    const struct statx_timestamp& time = (now.stx_mask & STATX_BTIME) ? now.stx_btime : now.stx_ctime;
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec >= ns;
}

Fs::RegularFile Place::open() const {
    // Without its folder, the open fails as a closed descriptor does (EBADF).
    return Fs::RegularFile(m_openError ? -1 : m_folder->get(), m_name);
}

Fs::Error Place::unlink() const {
    if (m_openError) {
        return {Fs::Operation::DeleteSource, m_openError};
    }
    return ::unlinkat(m_folder->get(), m_name.constData(), 0) == 0 ? Fs::Error()
                                                                   : Fs::FailureOf(Fs::Operation::DeleteSource);
}

Fs::Error Place::removeFolder() const {
    if (m_openError) {
        return {Fs::Operation::DeleteSource, m_openError};
    }
    return ::unlinkat(m_folder->get(), m_name.constData(), AT_REMOVEDIR) == 0
               ? Fs::Error()
               : Fs::FailureOf(Fs::Operation::DeleteSource);
}

Fs::Error Place::renameWithoutReplacing(const Place& to) const {
    if (m_openError || to.m_openError) {
        return {Fs::Operation::MoveIntoPlace, m_openError ? m_openError : to.m_openError};
    }
    return ::renameat2(m_folder->get(), m_name.constData(), to.m_folder->get(), to.m_name.constData(),
                       RENAME_NOREPLACE) == 0
               ? Fs::Error()
               : Fs::FailureOf(Fs::Operation::MoveIntoPlace);
}

Fs::Error Place::linkTo(const Place& to) const {
    if (m_openError || to.m_openError) {
        return {Fs::Operation::MoveIntoPlace, m_openError ? m_openError : to.m_openError};
    }
    return ::linkat(m_folder->get(), m_name.constData(), to.m_folder->get(), to.m_name.constData(), 0) == 0
               ? Fs::Error()
               : Fs::FailureOf(Fs::Operation::MoveIntoPlace);
}

Fs::Error Place::copyIn(const Fs::RegularFile& in, struct stat* made) const {
    if (m_openError) {
        return {Fs::Operation::CreateTemporary, m_openError};
    }
    if (!in.isOpen()) {
        return in.error();
    }
    Fs::CopyRecord record;
    const Fs::Error error =
        Fs::CopyOpenRegularFile(in, m_folder->get(), m_name, {.failIfExists = true, .durable = true}, &record);
    if (made && !error.failed()) {
        *made = record.copy;
    }
    return error;
}

void Place::tidyFolder() const {
    if (!m_openError) {
        Fs::RemoveLeftoverTemporaryFiles(m_folder->get());
    }
}

UndoPlaces::UndoPlaces(QByteArray root, Fs::Descriptor keptFolder, QByteArray keptPath)
    : m_rootPath(std::move(root)), m_root(shared(Fs::OpenFolder(m_rootPath))), m_rootError(errno),
      m_keptFolder(shared(std::move(keptFolder))), m_keptPath(std::move(keptPath)) {}

Place UndoPlaces::place(const QByteArray& path, const QByteArray& folderKey,
                        const std::function<Fs::Descriptor()>& openFolder) {
    std::shared_ptr<const Fs::Descriptor> folder = m_folders.value(folderKey);
    if (!folder) {
        folder = shared(openFolder());
        if (!folder) {
            return Place(path, errno);
        }
        if (m_folders.size() >= kHeldFolders) {
            m_folders.clear();
        }
        m_folders.insert(folderKey, folder);
    }
    return Place(folder, FileNameOf(path), path);
}

Place UndoPlaces::inOutput(const QByteArray& path, const QByteArray& below) {
    if (!m_root) {
        return Place(path, m_rootError);
    }
    const qsizetype slash = below.lastIndexOf('/');
    const QByteArray folderBelow = slash < 0 ? QByteArray() : below.first(slash);
    // The root itself (a folder the run made may be it) is reached from the folder above it, as named.
    if (below.isEmpty()) {
        return asNamed(path);
    }
    return place(path, "out:" + folderBelow, [&] { return Fs::OpenFolderBeneath(m_root->get(), folderBelow); });
}

Place UndoPlaces::asNamed(const QByteArray& path) {
    QByteArray trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith('/')) {
        trimmed.chop(1);
    }
    const QByteArray folder = FolderOf(trimmed);
    return place(trimmed, "path:" + folder, [&] { return Fs::OpenFolder(folder); });
}

Fs::Result<std::shared_ptr<const Fs::Descriptor>> UndoPlaces::trashPart(const TrashEntry& entry, const char* part) {
    const QByteArray key = "trash:" + entry.trash + '/' + part;
    if (std::shared_ptr<const Fs::Descriptor> folder = m_folders.value(key)) {
        return folder;
    }
    const Fs::Descriptor trash = Fs::OpenFolder(entry.trash);
    if (!trash.isOpen()) {
        return Fs::FailureOf(Fs::Operation::OpenSource);
    }
    if (DistrustOf(trash.get(), entry.trash, true)) {
        return Fs::Error{Fs::Operation::OpenSource, EPERM};
    }
    Fs::Descriptor opened = Fs::OpenFolderBeneath(trash.get(), part);
    if (!opened.isOpen()) {
        return Fs::FailureOf(Fs::Operation::OpenSource);
    }
    if (DistrustOf(opened.get(), entry.trash + '/' + part, true)) {
        return Fs::Error{Fs::Operation::OpenSource, EPERM};
    }
    std::shared_ptr<const Fs::Descriptor> folder = shared(std::move(opened));
    m_folders.insert(key, folder);
    return folder;
}

Place UndoPlaces::trashFile(const TrashEntry& entry) {
    const QByteArray path = entry.trash + "/files/" + entry.name;
    const Fs::Result<std::shared_ptr<const Fs::Descriptor>> files = trashPart(entry, "files");
    return files.failed() ? Place(path, files.error().code) : Place(*files, entry.name, path);
}

Place UndoPlaces::trashInfo(const TrashEntry& entry) {
    const QByteArray name = entry.name + ".trashinfo";
    const QByteArray path = entry.trash + "/info/" + name;
    const Fs::Result<std::shared_ptr<const Fs::Descriptor>> info = trashPart(entry, "info");
    return info.failed() ? Place(path, info.error().code) : Place(*info, name, path);
}

Place UndoPlaces::besideJournal(const QByteArray& path) {
    return m_keptFolder ? Place(m_keptFolder, FileNameOf(path), path) : Place(path, ENOENT);
}

#pragma once

#include "core/FsDescriptor.h"
#include "core/FsRegularFile.h"
#include "core/FsResult.h"
#include "journal/FileIdentity.h"
#include "journal/Trash.h"

#include <QByteArray>
#include <QHash>

#include <functional>
#include <memory>
#include <optional>
#include <sys/stat.h>

// Where undo looks and acts: a name in a folder it holds open. Every check and every act on the name goes through
// that folder's descriptor (fstatat, unlinkat, renameat2, linkat, openat without following a link), so that a
// folder renamed or swapped for a link after it was opened changes nothing about where undo acts.
class Place {
public:
    // A place whose folder could not be opened, with the errno of that failure: it holds nothing, and every act on
    // it fails with that errno.
    Place(QByteArray path, int openError);
    Place(std::shared_ptr<const Fs::Descriptor> folder, QByteArray name, QByteArray path);

    const QByteArray& path() const { return m_path; }

    // The status of the name itself (a symbolic link is not followed); OpenSource with the errno of the look-up when
    // it holds nothing (ENOENT) or cannot be looked up.
    Fs::Result<struct stat> status() const;
    std::optional<FileIdentity> identity() const;
    // A regular file with exactly this identity.
    bool holds(const FileIdentity& expected) const;
    // A regular file with the size and modification time of identity, which a copy of that file keeps.
    bool holdsCopyOf(const FileIdentity& identity) const;
    // Nothing at all holds the name, not even a dangling link (or the folder is gone).
    bool isFree() const;
    // The file at the name came into being (where no birth time is recorded: last changed status) at or after ns.
    bool createdSince(qint64 ns) const;
    // The regular file at the name, open for reading; a symbolic link is not followed.
    Fs::RegularFile open() const;

    // Removes the file, or the empty folder, at the name: DeleteSource with the errno of the removal when it fails.
    Fs::Error unlink() const;
    Fs::Error removeFolder() const;
    // Renames this name to the name of to, never replacing what holds that (RENAME_NOREPLACE). MoveIntoPlace with
    // the errno when it fails: EEXIST when the name is taken, EINVAL or ENOSYS where the file system cannot rename so.
    Fs::Error renameWithoutReplacing(const Place& to) const;
    // Makes to a second name of the file here (a hard link); never replaces. MoveIntoPlace with the errno when it
    // fails (EEXIST: the name is taken).
    Fs::Error linkTo(const Place& to) const;
    // Copies the open file in to this name, never replacing what holds it, flushed to the disk before it takes the
    // name; the new file is made in this place's folder, never looked up by its path.
    Fs::Error copyIn(const Fs::RegularFile& in, struct stat* made = nullptr) const;
    // Removes the temporary files that ended processes of ours left in this place's folder (see FsLeftovers.h).
    void tidyFolder() const;

private:
    std::shared_ptr<const Fs::Descriptor> m_folder;
    QByteArray m_name;
    QByteArray m_path;
    int m_openError = 0;
};

// The folders undo walks, each opened once and held for the undo's length.
class UndoPlaces {
public:
    // root: the folder undo is confined to (see UndoScope), opened as it is named: the user chose it. keptFolder:
    // the open folder of files kept beside the journal (may be closed), keptPath its path.
    UndoPlaces(QByteArray root, Fs::Descriptor keptFolder, QByteArray keptPath);

    // The place of path, given as its levels below the root ('/'-joined): each folder level is opened without
    // following a link, relative to the level above.
    Place inOutput(const QByteArray& path, const QByteArray& below);
    // The place of path with its folder opened as the path names it, links followed: where a moved file came from,
    // as the user listed it, or the root itself.
    Place asNamed(const QByteArray& path);
    // The entry's file in files/ and its record in info/ of the trash: the trash folder opened as named and held to
    // be the user's own and writable by no one else; files/ and info/ below it without following a link.
    Place trashFile(const TrashEntry& entry);
    Place trashInfo(const TrashEntry& entry);
    // A file kept beside the journal, by its path.
    Place besideJournal(const QByteArray& path);

private:
    Place place(const QByteArray& path, const QByteArray& folderKey, const std::function<Fs::Descriptor()>& openFolder);
    Fs::Result<std::shared_ptr<const Fs::Descriptor>> trashPart(const TrashEntry& entry, const char* part);

    QByteArray m_rootPath;
    std::shared_ptr<const Fs::Descriptor> m_root;
    int m_rootError = 0;
    std::shared_ptr<const Fs::Descriptor> m_keptFolder;
    QByteArray m_keptPath;
    QHash<QByteArray, std::shared_ptr<const Fs::Descriptor>> m_folders;
};

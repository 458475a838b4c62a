#pragma once

#include "core/FsDescriptor.h"
#include "core/FsError.h"

#include <QByteArray>

#include <sys/stat.h>

// Every file the program writes (sorted copies, list files, the settings file) takes its name only once it is
// complete. Where the file system allows it, the content goes to an unnamed file in the target's folder
// (O_TMPFILE), which a crash or a kill leaves nowhere; elsewhere (vfat, exFAT) to a hidden temporary file there. A
// failure never leaves half a file under the name, and a file that was there stays as it was until the new one
// replaces it whole.

namespace Fs {

// Why the existing file with status existing must not be replaced: CheckTarget with EISDIR for a folder, or with
// EACCES for a file without any write permission bit (write-protected, even for root); no failure when it may be.
Error CheckReplaceable(const struct stat& existing);

// Renames from in the open folder fromFolder onto to in toFolder (AT_FDCWD: the working folder) without ever
// replacing what holds that name (RENAME_NOREPLACE, or a hard link and the removal of from where the file system
// lacks it). Fails with MoveIntoPlace and the errno of the step that failed (EEXIST: the name is taken).
Error RenameWithoutReplacing(int fromFolder, const QByteArray& from, int toFolder, const QByteArray& to);

// A new file without a name yet, which takes its target's name at commit and is removed otherwise.
class AtomicFile {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    // Creates the file (once), empty, in the folder of target with the permission bits mode (less the umask):
    // unnamed where the file system supports it, else under a short hidden unique name. Fails with CreateTemporary.
    // The folder is opened once, as target names it; every later step acts on that open folder.
    Error create(const QByteArray& target, mode_t mode);
    // The same for the name name in the open folder folder, which is never looked up by its path.
    Error create(int folder, const QByteArray& name, mode_t mode);
    // The new file, open for writing.
    int descriptor() const { return m_descriptor.get(); }

    enum class Commit {
        Replace,   // whatever file holds the name is replaced, in one step
        NoReplace, // never replace: EEXIST (MoveIntoPlace) when something holds the name by then
    };
    // Flushes the file to the disk when durable, then gives it the target's name (MoveIntoPlace) and closes it
    // (WriteTemporary). On failure the new file is removed and the target is as it was.
    Error commit(Commit how, bool durable);

private:
    Error createIn(Descriptor folder, const QByteArray& name, mode_t mode);
    bool linkUnnamed(const QByteArray& name) const;
    Error nameUnnamed(Commit how);
    Error closeAndRename(Commit how);

    Descriptor m_folder;    // the target's folder
    QByteArray m_name;      // the target's name in it
    QByteArray m_temporary; // the hidden name of the file in the folder while it has one
    Descriptor m_descriptor;
    bool m_unnamed = false;
    bool m_committed = false;
};

// Writes content as the whole new content of the file at path, and flushes it to the disk. The name is never
// resolved here: a name that is not a symbolic link is replaced atomically; a new file gets the permission bits a
// new file gets (0666 less the umask), a replaced file keeps its own. A symbolic link is written through by opening
// the name as given, so that the kernel's protection of links (fs.protected_symlinks) applies and the link stays a
// link; that write is in place, not atomic. The folder of path must exist. Fails with CheckTarget when a folder or
// anything else than a regular file holds the name, when the existing file is write-protected (see
// CheckReplaceable) or a link may not be followed or opened, or with the step that failed.
Error ReplaceFileContent(const QByteArray& path, const QByteArray& content);

} // namespace Fs

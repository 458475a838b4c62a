#pragma once

#include "core/FsDescriptor.h"
#include "core/FsError.h"

#include <QByteArray>

#include <sys/stat.h>

// Every file the program writes (sorted copies, list files, the settings file) takes its name only once it is
// complete: its content goes to a temporary file in the same folder, which is then renamed onto the name. A failure
// or a crash never leaves half a file under the name, and a file that was there stays as it was until the new one
// replaces it whole.

namespace Fs {

// Why the existing file with status existing must not be replaced: CheckTarget with EISDIR for a folder, or with
// EACCES for a file without any write permission bit (write-protected, even for root); no failure when it may be.
Error CheckReplaceable(const struct stat& existing);

// A new file under a temporary name, which takes its target's name at commit and is removed otherwise.
class AtomicFile {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    // Creates the temporary file (once), empty, with a short hidden unique name in the folder of target and the
    // permission bits mode (less the umask). Fails with CreateTemporary.
    Error create(const QByteArray& target, mode_t mode);
    // The temporary file, open for writing.
    int descriptor() const { return m_descriptor.get(); }

    enum class Commit {
        Replace,   // rename: whatever file holds the name is replaced
        NoReplace, // never replace: EEXIST (MoveIntoPlace) when something holds the name by then
    };
    // Flushes the file to the disk when durable, closes it (WriteTemporary), then gives it the target's name
    // (MoveIntoPlace). On failure the temporary file is removed and the target is as it was.
    Error commit(Commit how, bool durable);

private:
    QByteArray m_target;
    QByteArray m_temporary;
    Descriptor m_descriptor;
    bool m_committed = false;
};

// Writes content as the whole new content of the file at path, in one atomic replacement. A new file gets the
// permission bits a new file gets (0666 less the umask); a replaced file keeps its own. The folder of path must
// exist. When path is a symbolic link, the file it leads to is replaced and the link stays a link. Fails when a
// folder holds the name or the existing file is write-protected (see CheckReplaceable), or with the step that
// failed; the file is always flushed to the disk before it takes the name.
Error ReplaceFileContent(const QByteArray& path, const QByteArray& content);

} // namespace Fs

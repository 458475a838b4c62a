#pragma once

#include <QtGlobal>

#include <cerrno>

namespace Fs {

// What file-system or file-format code was doing when it failed. With the errno value, it tells apart every reason
// a user may need to hear; the errno values the code itself gives are listed with each step.
enum class Operation : quint8 {
    None,            // nothing failed
    OpenSource,      // opening a file to read it (a copy's source, a list file, the settings file):
                     //   ENOENT it is not there (gone since it was listed), EACCES it may not be read
    CheckSource,     // the file to read is not a regular file: EISDIR a folder, EINVAL a FIFO, socket or device
    ReadSource,      // reading its content
    CheckTarget,     // the name to write is refused before anything is written:
                     //   EINVAL the target is the source itself (any spelling, or a hard link),
                     //   EEXIST something holds the name and must not be replaced,
                     //   EISDIR a folder holds the name,
                     //   EACCES the existing file has no write permission bit (write-protected, even for root), or a
                     //   symbolic link to write through may not be followed or opened (the errno of open),
                     //   EPERM such a link leads to a FIFO, socket or device
    MakeFolder,      // making the destination folder or a missing level of it: the errno of mkdir (EACCES or EROFS
                     //   the folder above may not be written, ENOSPC ...), or ENOTDIR or ELOOP where something else
                     //   than a folder (a file, a symbolic link) holds a level's name
    CreateTemporary, // creating the new file's temporary name in the target's folder (ENOENT: no such folder;
                     //   ENOTDIR or ELOOP: a level of it is not a folder, or is a symbolic link, never followed
                     //   below the output folder)
    WriteTemporary,  // writing the new file: content, permission bits, times, flush and close;
                     //   ENOSPC, EDQUOT or EFBIG: no space, over the quota or over the file-size limit;
                     //   ECANCELED: an interruption was requested part-way
    MoveIntoPlace,   // giving the complete file the target's name: EEXIST when it must not replace
    VerifySource,    // after a copy, the source's name no longer stands for the file that was copied, so the source
                     //   is kept: ESTALE that file changed while or since it was read, EEXIST the name leads to
                     //   another file
    DeleteSource,    // removing a moved file's source: ENOENT it is gone already, EACCES/EPERM its folder is locked
};

// The outcome of a file-system or file-format step: what failed and the errno value it gave. It has no text of its
// own; each interface turns it into words in its own language.
struct [[nodiscard]] Error {
    Operation operation = Operation::None;
    int code = 0; // errno value, 0 when nothing failed

    bool failed() const { return code != 0; }
    friend bool operator==(const Error&, const Error&) = default;
};

// The failure of operation with the errno value the failing call left.
inline Error FailureOf(Operation operation) {
    return {operation, errno};
}

} // namespace Fs

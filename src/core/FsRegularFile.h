#pragma once

#include "core/FsDescriptor.h"
#include "core/FsError.h"

#include <QByteArray>

#include <sys/stat.h>

namespace Fs {

// A file opened for reading, and closed again when this goes out of scope. Only a regular file (a symbolic link is
// followed) stays open: a folder, FIFO, socket or device, or a file that cannot be opened for reading, leaves it
// closed. Opening never blocks and never makes a terminal the controlling one.
class RegularFile {
public:
    explicit RegularFile(const QByteArray& path);
    // The file name holds in the open folder, itself: a symbolic link there is not followed (OpenSource, ELOOP).
    RegularFile(int folder, const QByteArray& name);

    bool isOpen() const { return m_descriptor.isOpen(); }
    int descriptor() const { return m_descriptor.get(); }
    // The status of the open file; valid only while isOpen().
    const struct stat& status() const { return m_status; }
    // True while the open file has the size, modification and change time it had when it was opened: a file written
    // to while it was read may hold bytes from before and after the write.
    bool unchangedSinceOpened() const;
    // Why it is not open: OpenSource with the errno of open, or CheckSource (EISDIR, EINVAL).
    Error error() const { return m_error; }

private:
    void take(Descriptor descriptor);

    Descriptor m_descriptor;
    struct stat m_status {};
    Error m_error;
};

// Reads the whole regular file at path into content, which is left as it was on failure (see RegularFile, and
// ReadSource for a failed read).
Error ReadRegularFile(const QByteArray& path, QByteArray& content);

// The status of the regular file at path as its directory entry gives it, without opening the file, so that a file
// that cannot be opened can still be looked up. False for anything other than a regular file (links followed).
bool LookUpRegularFile(const QByteArray& path, struct stat& status);

} // namespace Fs

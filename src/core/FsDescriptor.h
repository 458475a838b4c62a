#pragma once

#include "core/FsError.h"

#include <QByteArray>
#include <QByteArrayView>

#include <sys/types.h>

namespace Fs {

// An open file descriptor, closed when this goes out of scope. The one owner of descriptors in the program.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    Descriptor(Descriptor&& other) noexcept : m_descriptor(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    ~Descriptor();

    bool isOpen() const { return m_descriptor >= 0; }
    int get() const { return m_descriptor; }

    // Closes now. WriteTemporary with the errno of close when it reports an error: some file systems report a
    // failed write only then, so a file that was written must be closed this way.
    Error close();

    // Hands the descriptor over to a new owner (such as fdopendir) and no longer closes it.
    int release();

private:
    int m_descriptor = -1;
};

// open(2) of path, never inherited by a child process: O_CLOEXEC is added to flags. Not open, with errno set, when
// it fails.
Descriptor Open(const QByteArray& path, int flags, mode_t mode = 0);

// openat(2) of name relative to the open folder folder (AT_FDCWD: the working folder), never inherited by a child
// process either.
Descriptor OpenAt(int folder, const QByteArray& name, int flags, mode_t mode = 0);

// Writes all of bytes to descriptor, going on after interruptions and short writes. WriteTemporary with the errno of
// the write that failed.
Error WriteAll(int descriptor, QByteArrayView bytes);

} // namespace Fs

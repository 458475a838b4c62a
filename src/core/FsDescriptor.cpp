#include "core/FsDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Fs {

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        if (isOpen()) {
            ::close(m_descriptor);
        }
        m_descriptor = other.release();
    }
    return *this;
}

Descriptor::~Descriptor() {
    if (isOpen()) {
        ::close(m_descriptor);
    }
}

Error Descriptor::close() {
    // The descriptor is gone after close whatever it reports, also after EINTR on Linux, so it is never closed twice.
    return ::close(release()) == 0 ? Error() : FailureOf(Operation::WriteTemporary);
}

int Descriptor::release() {
    const int descriptor = m_descriptor;
    m_descriptor = -1;
    return descriptor;
}

Descriptor Open(const QByteArray& path, int flags, mode_t mode) {
    return OpenAt(AT_FDCWD, path, flags, mode);
}

Descriptor OpenAt(int folder, const QByteArray& name, int flags, mode_t mode) {
    return Descriptor(::openat(folder, name.constData(), flags | O_CLOEXEC, mode));
}

Error WriteAll(int descriptor, QByteArrayView bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t put = ::write(descriptor, bytes.data() + done, size_t(bytes.size() - done));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FailureOf(Operation::WriteTemporary);
        }
        done += put;
    }
    return {};
}

} // namespace Fs

#include "core/RegularFile.h"

#include <fcntl.h>
#include <unistd.h>

RegularFile::RegularFile(const QByteArray& path) {
    const int descriptor = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        return;
    }
    if (::fstat(descriptor, &m_status) != 0 || !S_ISREG(m_status.st_mode)) {
        ::close(descriptor);
        return;
    }
    m_descriptor = descriptor;
}

RegularFile::~RegularFile() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
}

bool LookUpRegularFile(const QByteArray& path, struct stat& status) {
    return ::stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode);
}

#include "testsupport/TmpfsMount.h"

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

TmpfsMount::TmpfsMount(const QByteArray& folder, qint64 bytes, bool readOnly) : m_folder(folder) {
    const QByteArray options = "mode=0755,size=" + QByteArray::number(bytes);
    m_mounted = ::mount("tmpfs", folder.constData(), "tmpfs", readOnly ? MS_RDONLY : 0, options.constData()) == 0;
    if (!m_mounted) {
        m_reason =
            QStringLiteral("cannot mount a tmpfs (needs root): %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
}

TmpfsMount::~TmpfsMount() {
    if (m_mounted) {
        ::umount2(m_folder.constData(), MNT_DETACH);
    }
}

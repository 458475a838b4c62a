#include "engine/FolderMemory.h"

#include "core/FsLeftovers.h"

#include <sys/stat.h>

namespace {
QByteArray numberKey(const QByteArray& folder, const QByteArray& name) {
    return folder + '\0' + name;
}
} // namespace

void FolderMemory::tidyOnce(const QByteArray& folder) {
    if (!m_tidied.contains(folder)) {
        m_tidied.insert(folder);
        Fs::RemoveLeftoverTemporaryFiles(folder);
    }
}

dev_t FolderMemory::deviceOf(const QByteArray& folder) {
    if (const auto known = m_devices.constFind(folder); known != m_devices.cend()) {
        return *known;
    }
    struct stat status {};
    const dev_t device = ::stat(folder.constData(), &status) == 0 ? status.st_dev : 0;
    m_devices.insert(folder, device);
    return device;
}

qint64 FolderMemory::nextNumber(const QByteArray& folder, const QByteArray& name) const {
    return m_nextNumbers.value(numberKey(folder, name), 0);
}

void FolderMemory::rememberTaken(const QByteArray& folder, const QByteArray& name, qint64 number) {
    m_nextNumbers.insert(numberKey(folder, name), number + 1);
}

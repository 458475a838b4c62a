#include "engine/FolderMemory.h"

#include "core/FsLeftovers.h"

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

qint64 FolderMemory::nextNumber(const QByteArray& folder, const QByteArray& name) const {
    return m_nextNumbers.value(numberKey(folder, name), 0);
}

void FolderMemory::rememberTaken(const QByteArray& folder, const QByteArray& name, qint64 number) {
    m_nextNumbers.insert(numberKey(folder, name), number + 1);
}

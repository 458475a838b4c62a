#include "engine/placement/FolderMemory.h"

#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "core/FsFolderWalk.h"
#include "core/FsLeftovers.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace {
QByteArray numberKey(const QByteArray& folder, const QByteArray& name) {
    return folder + '\0' + name;
}

// True when the open folder has been removed since it was opened.
bool removed(const Fs::Descriptor& folder) {
    struct stat status {};
    return ::fstat(folder.get(), &status) != 0 || status.st_nlink == 0;
}
} // namespace

FolderMemory::FolderMemory(QByteArray outputFolder) : m_outputFolder(std::move(outputFolder)) {}

std::optional<QByteArray> FolderMemory::relativeOf(const QByteArray& folder) const {
    if (!folder.startsWith(m_outputFolder)) {
        return std::nullopt;
    }
    QByteArray relative;
    for (const QByteArray& level : folder.sliced(m_outputFolder.size()).split('/')) {
        if (!level.isEmpty() && level != ".") {
            relative += (relative.isEmpty() ? "" : "/") + level;
        }
    }
    return relative;
}

int FolderMemory::root() {
    if (!m_root.isOpen()) {
        m_root = Fs::OpenFolder(m_outputFolder);
    }
    return m_root.get();
}

int FolderMemory::keep(const QByteArray& relative, Fs::Descriptor descriptor) {
    if (qsizetype(m_open.size()) >= kOpenLimit) {
        m_open.erase(std::min_element(m_open.begin(), m_open.end(), [](const auto& a, const auto& b) {
            return a.second.lastUse < b.second.lastUse;
        }));
    }
    m_makeFailures.remove(relative);
    OpenFolder& kept = m_open[relative];
    kept.descriptor = std::move(descriptor);
    kept.lastUse = ++m_uses;
    return kept.descriptor.get();
}

FolderMemory::Opened FolderMemory::open(const QByteArray& folder) {
    const std::optional<QByteArray> relative = relativeOf(folder);
    if (!relative) {
        return {-1, {Fs::Operation::CreateTemporary, EINVAL}};
    }
    if (const auto known = m_open.find(*relative); known != m_open.end()) {
        known->second.lastUse = ++m_uses;
        return {known->second.descriptor.get(), {}};
    }
    Fs::Descriptor opened = root() < 0 ? Fs::Descriptor() : Fs::OpenFolderBeneath(m_root.get(), *relative);
    if (!opened.isOpen()) {
        const Fs::Error walkFailure = Fs::FailureOf(Fs::Operation::CreateTemporary);
        return {-1, m_makeFailures.value(*relative, walkFailure)};
    }
    return {keep(*relative, std::move(opened)), {}};
}

void FolderMemory::make(const QByteArray& folder, const std::function<void(const QByteArray& level)>& made) {
    const std::optional<QByteArray> relative = relativeOf(folder);
    if (!relative) {
        return;
    }
    if (const auto known = m_open.find(*relative); known != m_open.end()) {
        if (!removed(known->second.descriptor)) {
            return;
        }
        m_open.erase(known);
    }
    if (m_root.isOpen() && removed(m_root)) {
        m_root = Fs::Descriptor();
    }
    if (root() < 0) {
        const Fs::Error error = Fs::MakeFolders(m_outputFolder, made);
        if (error.failed() || root() < 0) {
            m_makeFailures.insert(*relative, error.failed() ? error : Fs::FailureOf(Fs::Operation::MakeFolder));
            return;
        }
    }
    Fs::Descriptor descriptor = Fs::MakeFolderBeneath(m_root.get(), *relative, [&](QByteArrayView level) {
        made(FolderLevels(m_outputFolder + level.toByteArray()).constLast());
    });
    if (!descriptor.isOpen()) {
        m_makeFailures.insert(*relative, Fs::FailureOf(Fs::Operation::MakeFolder));
        return;
    }
    keep(*relative, std::move(descriptor));
}

void FolderMemory::rememberMakeFailure(const QByteArray& folder, const Fs::Error& error) {
    if (const std::optional<QByteArray> relative = relativeOf(folder)) {
        m_makeFailures.insert(*relative, error);
    }
}

void FolderMemory::tidyOnce(const QByteArray& folder) {
    if (m_tidied.contains(folder)) {
        return;
    }
    m_tidied.insert(folder);
    if (const Opened opened = open(folder); opened.descriptor >= 0) {
        Fs::RemoveLeftoverTemporaryFiles(opened.descriptor);
    }
}

dev_t FolderMemory::deviceOf(const QByteArray& folder) {
    if (const auto known = m_devices.constFind(folder); known != m_devices.cend()) {
        return *known;
    }
    const Opened opened = open(folder);
    struct stat status {};
    const dev_t device = opened.descriptor >= 0 && ::fstat(opened.descriptor, &status) == 0 ? status.st_dev : 0;
    m_devices.insert(folder, device);
    return device;
}

qint64 FolderMemory::nextNumber(const QByteArray& folder, const QByteArray& name) const {
    return m_nextNumbers.value(numberKey(folder, name), 0);
}

void FolderMemory::rememberTaken(const QByteArray& folder, const QByteArray& name, qint64 number) {
    m_nextNumbers.insert(numberKey(folder, name), number + 1);
}

#include "engine/placement/IdenticalFiles.h"

#include "core/FileNames.h"

namespace {

Fs::RegularFile openCompared(const ComparedFile& file) {
    return file.folder >= 0 ? Fs::RegularFile(file.folder, FileNameOf(file.path)) : Fs::RegularFile(file.path);
}

} // namespace

std::optional<bool> SameBytes(const Fs::RegularFile& incoming, const Fs::RegularFile& there, const Fs::GoOn& goOn) {
    if (!incoming.isOpen() || !there.isOpen()) {
        return false;
    }
    if (incoming.status().st_dev == there.status().st_dev && incoming.status().st_ino == there.status().st_ino) {
        return false;
    }
    bool stopped = false;
    const std::optional<bool> same = Fs::CompareContent(incoming, there, [&] {
        stopped = goOn && !goOn();
        return !stopped;
    });
    if (stopped) {
        return std::nullopt;
    }
    return same.value_or(false);
}

bool PlanComparisons::same(const QByteArray& name, const ComparedFile& incoming, const ComparedFile& there) {
    const Fs::RegularFile in = openCompared(incoming);
    const Fs::RegularFile held = openCompared(there);
    if (!in.isOpen() || !held.isOpen() || in.status().st_size != held.status().st_size) {
        return false;
    }
    QSet<QByteArray>& met = m_met[name + '\0' + QByteArray::number(qint64(in.status().st_size))];
    met.insert(incoming.path);
    met.insert(there.path);
    if (met.size() > 2) {
        const std::optional<Fs::ContentHash> incomingHash = hashOf(incoming);
        const std::optional<Fs::ContentHash> heldHash = hashOf(there);
        if (!incomingHash || !heldHash || *incomingHash != *heldHash) {
            return false;
        }
    }
    return SameBytes(in, held).value_or(false);
}

std::optional<Fs::ContentHash> PlanComparisons::hashOf(const ComparedFile& file) {
    auto known = m_hashes.constFind(file.path);
    if (known == m_hashes.cend()) {
        known = m_hashes.insert(file.path, Fs::HashContent(openCompared(file)));
    }
    return *known;
}

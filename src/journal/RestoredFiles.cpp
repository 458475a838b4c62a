#include "journal/RestoredFiles.h"

namespace {

// Restorations of restorations are followed this far, which no real sequence of runs and undos reaches.
constexpr int kLongestChain = 64;

QByteArray keyOf(const QByteArray& path, const FileIdentity& identity) {
    return QByteArray::number(identity.device) + ':' + QByteArray::number(identity.inode) + ':' +
           QByteArray::number(identity.size) + ':' + QByteArray::number(identity.mtimeNs) + ':' + path;
}

} // namespace

std::optional<FileIdentity> OriginalAt(const JournalStep& step, const QByteArray& path) {
    if (path == step.target && step.kept) {
        return step.kept->old;
    }
    if (path == step.source && step.transfer == Transfer::Move) {
        return step.before;
    }
    return std::nullopt;
}

void RestoredFiles::note(const JournalStep& step) {
    for (const auto& [path, identity] : step.restored) {
        if (const std::optional<FileIdentity> original = OriginalAt(step, path)) {
            add(path, *original, identity);
        }
    }
}

void RestoredFiles::add(const QByteArray& path, const FileIdentity& original, const FileIdentity& restored) {
    QList<FileIdentity>& standIns = m_restored[keyOf(path, original)];
    if (!standIns.contains(restored)) {
        standIns.append(restored);
    }
}

bool RestoredFiles::standsFor(const QByteArray& path, const FileIdentity& now, const FileIdentity& original) const {
    QList<FileIdentity> reached{original};
    for (qsizetype at = 0; at < reached.size() && at < kLongestChain; ++at) {
        if (reached[at] == now) {
            return true;
        }
        for (const FileIdentity& standIn : m_restored.value(keyOf(path, reached[at]))) {
            if (!reached.contains(standIn)) {
                reached.append(standIn);
            }
        }
    }
    return false;
}

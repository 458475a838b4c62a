#include "engine/placement/MoveBatch.h"

#include "core/FileNames.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A batch is settled after this many files or bytes, so that a crash leaves few files in both places and the
// sources of a long run go away as it goes.
constexpr int kBatchFiles = 1000;
constexpr qint64 kBatchBytes = qint64(256) << 20;

// What the deletion of a source found, by its outcome.
MoveBatch::SourceFound foundAt(const Fs::Error& deletion) {
    using Found = MoveBatch::SourceFound;
    if (!deletion.failed()) {
        return Found::Deleted;
    }
    if (deletion.operation != Fs::Operation::VerifySource || (deletion.code != ESTALE && deletion.code != EEXIST)) {
        return Found::Kept;
    }
    return deletion.code == ESTALE ? Found::Changed : Found::Replaced;
}
} // namespace

MoveBatch::MoveBatch(Flush flush) : m_flush(std::move(flush)) {}

Fs::Error MoveBatch::FlushFileSystem(int descriptor) {
    if (::syncfs(descriptor) != 0) {
        return Fs::FailureOf(Fs::Operation::WriteTemporary);
    }
    return {};
}

int MoveBatch::diskOf(const QByteArray& target) {
    const QByteArray folder = FolderOf(target);
    if (const auto known = m_diskOfFolder.constFind(folder); known != m_diskOfFolder.cend()) {
        return *known;
    }
    // The folder, or the copy itself where the folder may not be read.
    Fs::Descriptor descriptor = Fs::Open(folder, O_RDONLY | O_DIRECTORY);
    if (!descriptor.isOpen()) {
        descriptor = Fs::Open(target, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    }
    struct stat status {};
    int disk = -1;
    if (descriptor.isOpen() && ::fstat(descriptor.get(), &status) == 0) {
        for (disk = 0; disk < int(m_disks.size()) && m_disks[size_t(disk)].device != status.st_dev; ++disk) {
        }
        if (disk == int(m_disks.size())) {
            m_disks.push_back({status.st_dev, std::move(descriptor)});
        }
    }
    m_diskOfFolder.insert(folder, disk);
    return disk;
}

void MoveBatch::add(Move move, const QByteArray& target) {
    m_bytes += move.record.opened.st_size;
    m_moves.append({std::move(move), diskOf(target)});
}

bool MoveBatch::full() const {
    return m_moves.size() >= kBatchFiles || m_bytes >= kBatchBytes;
}

QList<MoveBatch::Move> MoveBatch::settle() {
    std::vector<Fs::Error> flushed;
    for (const Disk& disk : m_disks) {
        flushed.push_back(m_flush(disk.descriptor.get()));
    }
    // A copy on a file system that could not even be opened is flushed with everything else.
    const bool anyUnknown = std::any_of(m_moves.cbegin(), m_moves.cend(), [](const auto& m) { return m.second < 0; });
    if (anyUnknown) {
        ::sync();
    }
    QList<Move> settled;
    for (auto& [move, disk] : m_moves) {
        const Fs::Error flush = disk < 0 ? Fs::Error() : flushed[size_t(disk)];
        Fs::Error error = flush.failed() ? flush : Fs::DeleteUnchangedSource(move.source, move.record);
        move.found = foundAt(error);
        if (move.found == SourceFound::Replaced) {
            error = {};
        }
        if (!move.failure.failed()) {
            move.failure = error;
        }
        settled.append(std::move(move));
    }
    m_moves.clear();
    m_disks.clear();
    m_diskOfFolder.clear();
    m_bytes = 0;
    return settled;
}

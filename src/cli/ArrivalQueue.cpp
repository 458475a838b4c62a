#include "cli/ArrivalQueue.h"

#include "core/FileNames.h"
#include "core/FsTemporaryNames.h"

#include <QSet>

#include <algorithm>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How soon a file that was not ready is looked at again, at the least.
constexpr qint64 kRecheckMs = 200;

// From this many due files in one folder, the folder is listed once for the names of downloads still going on,
// rather than looking up two sibling names per file.
constexpr qsizetype kListFolderFrom = 32;

bool isDownloadName(const QByteArray& name) {
    return name.endsWith(".part") || name.endsWith(".crdownload");
}

// The names in folder of downloads still going on (NAME.part, NAME.crdownload); nullopt when it cannot be listed.
std::optional<QSet<QByteArray>> downloadsIn(const QByteArray& folder) {
    const int descriptor = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return std::nullopt;
    }
    DIR* listing = ::fdopendir(descriptor);
    if (listing == nullptr) {
        ::close(descriptor);
        return std::nullopt;
    }
    QSet<QByteArray> downloads;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (isDownloadName(name)) {
            downloads.insert(name);
        }
    }
    ::closedir(listing);
    return downloads;
}

bool exists(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0;
}

// Whether a browser still writes a download beside a file, under the file's name with .part or .crdownload. A
// folder with many due files is listed once for the batch; any other is asked name by name.
class DownloadsBeside {
public:
    DownloadsBeside(const QHash<QByteArray, qint64>& waiting, qint64 nowMs) {
        QHash<QByteArray, qsizetype> dueInFolder;
        for (auto waitingFile = waiting.begin(); waitingFile != waiting.end(); ++waitingFile) {
            if (nowMs >= waitingFile.value()) {
                ++dueInFolder[FolderOf(waitingFile.key())];
            }
        }
        for (auto folder = dueInFolder.begin(); folder != dueInFolder.end(); ++folder) {
            if (folder.value() >= kListFolderFrom) {
                if (auto downloads = downloadsIn(folder.key())) {
                    m_listed.insert(folder.key(), *std::move(downloads));
                }
            }
        }
    }

    bool goOnBeside(const QByteArray& path) const {
        const auto listed = m_listed.constFind(FolderOf(path));
        if (listed == m_listed.constEnd()) {
            return exists(path + ".part") || exists(path + ".crdownload");
        }
        const QByteArray name = FileNameOf(path);
        return listed->contains(name + ".part") || listed->contains(name + ".crdownload");
    }

private:
    QHash<QByteArray, QSet<QByteArray>> m_listed;
};

qint64 nowNs() {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

bool IsNameBeingWritten(const QByteArray& fileName) {
    for (const char* suffix : {".part", ".crdownload", ".download", ".tmp"}) {
        if (fileName.endsWith(suffix)) {
            return true;
        }
    }
    return fileName.startsWith(".~lock.") || Fs::IsTemporaryName(fileName);
}

void ArrivalQueue::note(const QByteArray& path, qint64 nowMs, Source source) {
    if (IsNameBeingWritten(FileNameOf(path))) {
        return;
    }
    if (source == Source::Event) {
        m_handled.remove(path); // a file written or moved in anew is taken even when it looks the same
    }
    m_waiting.insert(path, nowMs + m_settleMs);
}

QByteArrayList ArrivalQueue::takeReady(qint64 nowMs) {
    QByteArrayList ready;
    const qint64 quietSinceNs = nowNs() - m_settleMs * 1000000;
    const DownloadsBeside downloads(m_waiting, nowMs);
    for (auto waiting = m_waiting.begin(); waiting != m_waiting.end();) {
        const QByteArray& path = waiting.key();
        if (nowMs < waiting.value()) {
            ++waiting;
            continue;
        }
        struct stat status {};
        if (::lstat(path.constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
            waiting = m_waiting.erase(waiting);
            continue;
        }
        const Seen seen{qint64(status.st_size), qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
        if (m_handled.value(path) == seen) {
            waiting = m_waiting.erase(waiting);
            continue;
        }
        // Written to within the settle time without an event (still open for writing), or a download beside it
        // still going on: looked at again a settle time later.
        if ((m_settleMs > 0 && seen.mtimeNs > quietSinceNs) || downloads.goOnBeside(path)) {
            waiting.value() = nowMs + std::max(m_settleMs, kRecheckMs);
            ++waiting;
            continue;
        }
        m_handled.insert(path, seen);
        ready.append(path);
        waiting = m_waiting.erase(waiting);
    }
    std::sort(ready.begin(), ready.end());
    return ready;
}

qint64 ArrivalQueue::msUntilNextDue(qint64 nowMs, qint64 ceilingMs) const {
    qint64 until = ceilingMs;
    for (const qint64 due : m_waiting) {
        until = std::min(until, std::max<qint64>(0, due - nowMs));
    }
    return until;
}

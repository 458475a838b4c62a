#include "cli/ArrivalQueue.h"

#include "core/FileNames.h"
#include "core/FsTemporaryNames.h"

#include <algorithm>
#include <ctime>
#include <sys/stat.h>

namespace {

// How soon a file that was not ready is looked at again, at the least.
constexpr qint64 kRecheckMs = 200;

bool exists(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0;
}

// A download still going on beside path under the name a browser writes it with.
bool siblingBeingWritten(const QByteArray& path) {
    return exists(path + ".part") || exists(path + ".crdownload");
}

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
        if ((m_settleMs > 0 && seen.mtimeNs > quietSinceNs) || siblingBeingWritten(path)) {
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

#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>

// True for a name that downloaders, browsers and editors give a file while they write it (*.part, *.crdownload,
// *.download, *.tmp, .~lock.*) or one of our own temporary names: such a file is never taken.
bool IsNameBeingWritten(const QByteArray& fileName);

// The files that arrived in watched folders, each waiting until it has been quiet for the settle time: no event
// about it, no change of its modification time within that time, and no sibling NAME.part or NAME.crdownload (a
// download still going on under another name). Files are taken once: a file handled before comes back only when its
// size or modification time changed, or an event reported it again.
class ArrivalQueue {
public:
    explicit ArrivalQueue(qint64 settleMs) : m_settleMs(settleMs) {}

    // How a file came to be noted: an event about it, or a look at the folder (the first sort, a rescan), which
    // passes over a file handled before and unchanged since.
    enum class Source { Event, Scan };

    // path arrived (or changed) at nowMs; a name being written is left out.
    void note(const QByteArray& path, qint64 nowMs, Source source = Source::Event);

    // The files quiet since nowMs - settle time and ready to take, removed from the queue and remembered as handled.
    // A file that is gone or no longer a regular file is dropped; one that is not ready yet stays.
    QByteArrayList takeReady(qint64 nowMs);

    // The time until the next waiting file may be ready, at most ceilingMs (0 when one is due now).
    qint64 msUntilNextDue(qint64 nowMs, qint64 ceilingMs) const;

    bool isEmpty() const { return m_waiting.isEmpty(); }
    qsizetype size() const { return m_waiting.size(); }

private:
    struct Seen {
        qint64 size = -1;
        qint64 mtimeNs = -1;
        friend bool operator==(const Seen&, const Seen&) = default;
    };
    qint64 m_settleMs;
    QHash<QByteArray, qint64> m_waiting; // path -> when it is due to be looked at, ms
    QHash<QByteArray, Seen> m_handled;   // path -> the file as it was taken
};

#include "cli/WatchCommand.h"

#include "cli/ArrivalQueue.h"
#include "cli/CliRunHost.h"
#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "cli/FolderWatch.h"
#include "cli/InputPaths.h"
#include "cli/InterruptOnSignal.h"
#include "cli/PresetCommands.h"
#include "cli/StandardStreams.h"
#include "cli/WatchRequest.h"
#include "core/ErrnoText.h"
#include "engine/SortRun.h"
#include "filelist/FileListModel.h"

#include <QElapsedTimer>

#include <cerrno>

namespace {

constexpr int kLeftStatus = 1;
constexpr int kUsageStatus = 2;
// How long a wait lasts when nothing is due, so that a signal is seen soon even where poll is restarted.
constexpr qint64 kLongestWaitMs = 500;
// A burst of events is read on while it lasts (the next event comes within kBurstGapMs), up to kBurstFiles files or
// kLongestBurstMs, so that it makes few batches: each batch costs a journal and a start of the run.
constexpr qsizetype kBurstFiles = 5000;
constexpr int kBurstGapMs = 10;
constexpr qint64 kLongestBurstMs = 1000;

QString shown(const QByteArray& path) {
    return QString::fromUtf8(EscapedText(path));
}

// Every output folder the batches place into: one per saved sort of a chain. None of them is watched or taken.
QByteArrayList outputFoldersOf(const SortRequest& sort) {
    if (sort.chain.isEmpty()) {
        return {sort.inputs.outputFolder.toUtf8()};
    }
    QByteArrayList folders;
    for (const RequestPreset& preset : sort.chain) {
        folders.append(preset.inputs.outputFolder.toUtf8());
    }
    return folders;
}

class Watcher {
public:
    explicit Watcher(const WatchRequest& request)
        : m_request(request), m_folders(request.depth, outputFoldersOf(request.sort)), m_queue(request.settleMs) {
        m_clock.start();
    }

    // Watches the folders; false when one of them cannot be watched (said on standard error).
    bool start() {
        for (const QByteArray& named : m_request.folders) {
            const QByteArray folder = AbsolutePath(named).value_or(named);
            if (m_folders.isExcluded(folder)) {
                PrintErrorLine(
                    CommandLine::tr("%1: lies in the output folder, whose files are never taken").arg(shown(named)));
                return false;
            }
            if (!m_folders.addRoot(folder)) {
                const int error = errno;
                PrintErrorLine(
                    CommandLine::tr("%1: cannot watch this folder (%2)").arg(shown(folder), ErrnoText(error)));
                return false;
            }
        }
        if (!m_request.newOnly) {
            noteScan();
        }
        return true;
    }

    int run() {
        while (InterruptingSignal() == 0) {
            takeReadyFiles();
            if (InterruptingSignal() != 0) {
                break;
            }
            if (m_folders.rootsWatched() == 0) {
                PrintErrorLine(CommandLine::tr("no watched folder is left"));
                return kLeftStatus;
            }
            const QList<WatchEvent> events = m_folders.wait(int(m_queue.msUntilNextDue(now(), kLongestWaitMs)));
            handle(events);
            const qint64 burstStart = now();
            bool burstGoesOn = !events.isEmpty();
            while (burstGoesOn && m_queue.size() < kBurstFiles && now() - burstStart < kLongestBurstMs &&
                   InterruptingSignal() == 0) {
                const QList<WatchEvent> more = m_folders.wait(kBurstGapMs);
                handle(more);
                burstGoesOn = !more.isEmpty();
            }
        }
        return 0;
    }

private:
    qint64 now() const { return m_clock.elapsed(); }

    // Every file in the folders: the first sort, and a look again after events were lost. A scanned file counts
    // as quiet since the start (its modification time still has to be older than the settle time).
    void noteScan() {
        for (const QByteArray& file : m_folders.filesNow()) {
            m_queue.note(file, now() - m_request.settleMs, ArrivalQueue::Source::Scan);
        }
    }

    void handle(const QList<WatchEvent>& events) {
        for (const WatchEvent& event : events) {
            switch (event.kind) {
            case WatchEvent::Kind::FileArrived:
                m_queue.note(event.path, now());
                break;
            case WatchEvent::Kind::FolderGone:
                PrintErrorLine(CommandLine::tr("%1: the watched folder was removed or unmounted; the others are "
                                               "still watched")
                                   .arg(shown(event.path)));
                break;
            case WatchEvent::Kind::Overflow:
                PrintErrorLine(CommandLine::tr("too many files arrived at once to follow each; looking at the "
                                               "folders again"));
                noteScan();
                break;
            }
        }
    }

    // Sorts the files that are ready as one journaled run.
    void takeReadyFiles() {
        const QByteArrayList ready = m_queue.takeReady(now());
        if (ready.isEmpty()) {
            return;
        }
        FileListModel files;
        files.appendAll(ready);
        CliRunHost host(m_request.sort, files);
        RunSort(host);
    }

    const WatchRequest& m_request;
    FolderWatch m_folders;
    ArrivalQueue m_queue;
    QElapsedTimer m_clock;
};

} // namespace

int RunWatchCommand(const WatchRequest& request) {
    if (request.save) {
        return SaveWatchedFolders(request.sort.preset->name, request.folders);
    }
    FinishFileOnTerminationSignals();
    Watcher watcher(request);
    if (!watcher.start()) {
        return kUsageStatus;
    }
    return watcher.run();
}

// Filling the file list: a whole-tree scan of 100,000 files in 1,000 folders against find, and the import of list
// files of 100,000 and 10,000 existing paths against wc -l of the same files. Each side is timed at its best of a
// few runs, after one warm-up run, so both read a warm cache.

#include "BenchCommon.h"
#include "ScanTree.h"
#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"
#include "filelist/ListFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {

constexpr int kFiles = kScanTreeFiles;
constexpr int kRuns = 3;

// A scan host as the window is one: events are processed, the list is not on screen.
class EventPumpingHost : public ScanHost {
public:
    void processEvents() override { QCoreApplication::processEvents(); }
    void repaintFileList() override {}
    bool stopRequested() const override { return false; }
};

// The best time of kRuns runs of work, after one run that warms the caches. Each run fills a fresh file list,
// which is checked to hold entries paths and destroyed outside the timing.
double bestSecondsFilling(int entries, const std::function<void(FileListModel&)>& fill) {
    double best = 0;
    for (int run = 0; run <= kRuns; ++run) {
        auto list = std::make_unique<FileListModel>();
        const double seconds = SecondsFor([&] { fill(*list); });
        if (list->size() != entries) {
            FailBench("the file list does not hold the expected number of entries");
        }
        if (run == 1 || (run > 1 && seconds < best)) {
            best = seconds;
        }
    }
    return best;
}

double bestSecondsForCommand(const QString& command) {
    double best = 0;
    for (int run = 0; run <= kRuns; ++run) {
        const double seconds = SecondsForCommand(command);
        if (run == 1 || (run > 1 && seconds < best)) {
            best = seconds;
        }
    }
    return best;
}

void benchImport(const char* caseName, const QByteArray& listFile, int entries) {
    EventPumpingHost host;
    const double varnoth = bestSecondsFilling(entries, [&](FileListModel& list) {
        if (ImportListFile(listFile, list, host).failed()) {
            FailBench("cannot import the list file");
        }
    });
    const double wc = bestSecondsForCommand(QStringLiteral("wc -l '%1' > /dev/null").arg(QFile::decodeName(listFile)));
    PrintBenchLine(caseName, varnoth, "wc", wc);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path()) + "/tree";
    MakeScanTree(root);

    FileListModel scanned;
    EventPumpingHost host;
    const double scan =
        bestSecondsFilling(kFiles, [&](FileListModel& list) { FolderScanner(list, host).scanTree(root + '/'); });
    const double find = bestSecondsForCommand(QStringLiteral("find '%1' -type f > /dev/null").arg(dir.path()));
    PrintBenchLine("scan-tree-100k", scan, "find", find);

    FolderScanner(scanned, host).scanTree(root + '/');
    const QByteArrayList paths = scanned.paths();
    const QByteArray list100k = QFile::encodeName(dir.path()) + "/100k.lst";
    const QByteArray list10k = QFile::encodeName(dir.path()) + "/10k.lst";
    if (WriteListFile(list100k, paths).error.failed() ||
        WriteListFile(list10k, paths.mid(0, kFiles / 10)).error.failed()) {
        FailBench("cannot write the list files");
    }
    benchImport("import-100k", list100k, kFiles);
    benchImport("import-10k", list10k, kFiles / 10);
    return 0;
}

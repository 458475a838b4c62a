// Filling the file list: a whole-tree scan of 100,000 files in 1,000 folders against find, and the import of list
// files of 100,000 and 10,000 existing paths against wc -l of the same files. Each side runs once to warm the caches,
// then the pairs of timings begin, so both read a warm cache.

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

// A scan host as the window is one: events are processed, the list is not on screen.
class EventPumpingHost : public ScanHost {
public:
    void processEvents() override { QCoreApplication::processEvents(); }
    void repaintFileList() override {}
    bool stopRequested() const override { return false; }
};

// The seconds that fill takes to fill a fresh file list, which is checked to hold entries paths and destroyed
// outside the timing.
double fillSeconds(int entries, const std::function<void(FileListModel&)>& fill) {
    auto list = std::make_unique<FileListModel>();
    const double seconds = SecondsFor([&] { fill(*list); });
    if (list->size() != entries) {
        FailBench("the file list does not hold the expected number of entries");
    }
    return seconds;
}

// The command's seconds against fill's, each side run once first to warm the caches.
void benchWarm(const char* caseName, const QString& command, const char* commandName, int entries,
               const std::function<void(FileListModel&)>& fill) {
    const auto baseline = [&](int) { return SecondsForCommand(command); };
    const auto measured = [&](int) { return fillSeconds(entries, fill); };
    baseline(0);
    measured(0);
    PrintBenchLine(caseName, BestOfPairs(kBenchPairs, baseline, measured), commandName);
}

void benchImport(const char* caseName, const QByteArray& listFile, int entries) {
    EventPumpingHost host;
    benchWarm(caseName, QStringLiteral("wc -l '%1' > /dev/null").arg(QFile::decodeName(listFile)), "wc", entries,
              [&](FileListModel& list) {
                  if (ImportListFile(listFile, list, host).failed()) {
                      FailBench("cannot import the list file");
                  }
              });
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path()) + "/tree";
    MakeScanTree(root);

    FileListModel scanned;
    EventPumpingHost host;
    benchWarm("scan-tree-100k", QStringLiteral("find '%1' -type f > /dev/null").arg(dir.path()), "find", kFiles,
              [&](FileListModel& list) { FolderScanner(list, host).scanTree(root + '/'); });

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

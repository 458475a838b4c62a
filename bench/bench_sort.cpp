// Sorting 10,000 files of 4 KiB by keyword through the engine, against cp -p -r of the same tree: a copy, a move
// within one file system (renames) and a move from a tmpfs to the disk (copies, flushed together, then deleted).

#include "EngineSort.h"
#include "KeywordSortTree.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

constexpr int kRuns = 3;

double sortSeconds(const QByteArrayList& files, const QString& outDir, bool move) {
    FakeRunHost host;
    host.files = files;
    host.outDir = outDir;
    host.move = move;
    host.keywords = kKeywordSortKeywords;
    return EngineSortSeconds(host);
}

// Best of three moves of a fresh tree made under sourceRoot into new folders named label-<run> under outRoot;
// making the tree is not timed.
double moveSeconds(const QString& sourceRoot, const QString& outRoot, const QString& label) {
    return BestSeconds(kRuns, [&](int run) {
        const QByteArrayList files =
            MakeKeywordSortTree(QStringLiteral("%1/%2-src-%3").arg(sourceRoot, label).arg(run));
        SettleDisk();
        return sortSeconds(files, QStringLiteral("%1/%2-%3").arg(outRoot, label).arg(run), true);
    });
}

dev_t deviceOf(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_dev : 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("src"));
    const QByteArrayList files = MakeKeywordSortTree(source);

    const double cpSeconds = BestSeconds(kRuns, [&](int run) {
        return SecondsForCommand(
            QStringLiteral("cp -p -r '%1' '%2'").arg(source, dir.filePath(QStringLiteral("cp-%1").arg(run))));
    });
    const double copySeconds = BestSeconds(
        kRuns, [&](int run) { return sortSeconds(files, dir.filePath(QStringLiteral("copy-%1").arg(run)), false); });
    PrintBenchLine("sort-copy-10k", copySeconds, "cp", cpSeconds);
    PrintBenchLine("sort-move-10k", moveSeconds(dir.path(), dir.path(), QStringLiteral("move")), "cp", cpSeconds);

    // From a tmpfs (/dev/shm) to the disk, against cp -p -r along the same way.
    QTemporaryDir memory(QStringLiteral("/dev/shm/varnoth-bench-XXXXXX"));
    if (!memory.isValid() || deviceOf(memory.path()) == deviceOf(dir.path())) {
        std::fprintf(stderr, "no tmpfs at /dev/shm apart from the disk: sort-move-crossfs-10k not measured\n");
        return 0;
    }
    const QString memorySource = memory.filePath(QStringLiteral("src"));
    MakeKeywordSortTree(memorySource);
    const double crossCpSeconds = BestSeconds(kRuns, [&](int run) {
        return SecondsForCommand(QStringLiteral("cp -p -r '%1' '%2'")
                                     .arg(memorySource, dir.filePath(QStringLiteral("cross-cp-%1").arg(run))));
    });
    PrintBenchLine("sort-move-crossfs-10k", moveSeconds(memory.path(), dir.path(), QStringLiteral("cross-move")), "cp",
                   crossCpSeconds);
    return 0;
}

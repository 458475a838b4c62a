// Sorting 10,000 files of 4 KiB by keyword through the engine, against cp -p -r of the same tree: a copy, a move
// within one file system (renames) and a move from a tmpfs to the disk (copies, flushed together, then deleted),
// each journaled as every real run is. Then the plan of the copy against the copy itself.

#include "JournaledSort.h"
#include "engine/SortPlan.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

dev_t deviceOf(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_dev : 0;
}

QString runFolder(const QTemporaryDir& dir, const char* name, int run) {
    return dir.filePath(QStringLiteral("%1-%2").arg(QLatin1String(name)).arg(run));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("src"));
    const QByteArrayList files = MakeKeywordSortTree(source);
    const QByteArray journals = QFile::encodeName(dir.filePath(QStringLiteral("journals")));
    const auto cpRun = [&](int run) { return CpTreeSeconds(source, runFolder(dir, "cp", run)); };
    const auto copyRun = [&](int run) { return KeywordCopySeconds(files, runFolder(dir, "copy", run), journals); };

    PrintBenchLine("sort-copy-10k", BestOfPairs(kBenchPairs, cpRun, copyRun), "cp");
    PrintBenchLine("sort-move-10k",
                   BestOfPairs(kBenchPairs, cpRun,
                               [&](int run) {
                                   return KeywordMoveSeconds(dir.path(), dir.path(), QStringLiteral("move-%1").arg(run),
                                                             journals);
                               }),
                   "cp");

    // The plan of the copy against the copy, into an output folder that no copy touches.
    JournaledSortHost planHost = KeywordSortHost(files, dir.filePath(QStringLiteral("plan")), false, {});
    const BestPair plan = BestOfPairs(
        kBenchPairs, [&](int run) { return KeywordCopySeconds(files, runFolder(dir, "plan-copy", run), journals); },
        [&](int) {
            return SecondsFor([&] {
                if (!PlanSort(planHost) || !planHost.messages.isEmpty()) {
                    std::fprintf(stderr, "the plan was refused\n");
                    std::exit(1);
                }
            });
        });
    PrintBenchLine("plan-10k", plan, "run");

    // From a tmpfs (/dev/shm) to the disk, against cp -p -r along the same way.
    QTemporaryDir memory(QStringLiteral("/dev/shm/varnoth-bench-XXXXXX"));
    if (!memory.isValid() || deviceOf(memory.path()) == deviceOf(dir.path())) {
        std::fprintf(stderr, "no tmpfs at /dev/shm apart from the disk: sort-move-crossfs-10k not measured\n");
        return 0;
    }
    const QString memorySource = memory.filePath(QStringLiteral("src"));
    MakeKeywordSortTree(memorySource);
    const BestPair crossMove = BestOfPairs(
        kBenchPairs, [&](int run) { return CpTreeSeconds(memorySource, runFolder(dir, "cross-cp", run)); },
        [&](int run) {
            return KeywordMoveSeconds(memory.path(), dir.path(), QStringLiteral("cross-move-%1").arg(run), journals);
        });
    PrintBenchLine("sort-move-crossfs-10k", crossMove, "cp");
    return 0;
}

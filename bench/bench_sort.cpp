// Sorting 10,000 files of 4 KiB by keyword through the engine, against cp -p -r of the same tree.

#include "BenchCommon.h"
#include "KeywordSortTree.h"
#include "engine/SortRun.h"
#include "testsupport/FakeRunHost.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

double sortSeconds(const QByteArrayList& files, const QString& outDir, bool move) {
    FakeRunHost host;
    host.files = files;
    host.outDir = outDir;
    host.move = move;
    host.keywords = kKeywordSortKeywords;
    const double seconds = SecondsFor([&] { RunSort(host); });
    if (host.messages != QStringList{QStringLiteral("分拣工作完成！")}) {
        std::fprintf(stderr, "the sort did not complete cleanly\n");
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("src"));
    const QByteArrayList files = MakeKeywordSortTree(source);

    // Best of three for the copy and for cp; the move consumes its sources and runs once.
    constexpr int kRuns = 3;
    const double cpSeconds = BestSeconds(kRuns, [&](int run) {
        return SecondsForCommand(
            QStringLiteral("cp -p -r '%1' '%2'").arg(source, dir.filePath(QStringLiteral("cp-%1").arg(run))));
    });
    const double copySeconds = BestSeconds(
        kRuns, [&](int run) { return sortSeconds(files, dir.filePath(QStringLiteral("copy-%1").arg(run)), false); });
    PrintBenchLine("sort-copy-10k", copySeconds, "cp", cpSeconds);
    const double moveSeconds =
        BestSeconds(1, [&](int) { return sortSeconds(files, dir.filePath(QStringLiteral("move-out")), true); });
    PrintBenchLine("sort-move-10k", moveSeconds, "cp", cpSeconds);
    return 0;
}

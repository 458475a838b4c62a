// The whole program at work: a 10,000-file keyword sort driven through the real main window (progress bar and
// event processing included) against the same sort through the engine alone.

#include "BenchCommon.h"
#include "KeywordSortWindow.h"
#include "engine/SortRun.h"
#include "testsupport/FakeRunHost.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

double engineSeconds(const QByteArrayList& files, const QString& outDir) {
    FakeRunHost host;
    host.files = files;
    host.inputs.outputFolder = outDir;
    host.inputs.keywords = kKeywordSortKeywords;
    return SecondsFor([&] { RunSort(host); });
}

} // namespace

int main(int argc, char** argv) {
    // The windows start from their defaults, not from the user's settings file, and write no settings or journals of
    // the user's.
    QTemporaryDir dir;
    UsePrivateFolders(dir.path());
    QApplication application(argc, argv);
    const QByteArrayList files = MakeKeywordSortTree(dir.filePath(QStringLiteral("src")));
    const BestPair best = BestOfPairs(
        kBenchPairs, [&](int run) { return engineSeconds(files, dir.filePath(QStringLiteral("engine-%1").arg(run))); },
        [&](int run) { return WindowRunSeconds(files, dir.filePath(QStringLiteral("window-%1").arg(run))); });
    PrintBenchLine("window-sort-10k", best, "engine");
    return 0;
}

// A second copy run of the 10,000-file keyword tree into the output folder the first run filled, under the policy
// auto-number with files of the same bytes left alone: every file is compared with its copy and none is written.
// Against cp -p -r of the same tree into an empty folder, the baseline of sort-copy-10k.

#include "EngineSort.h"
#include "KeywordSortTree.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

FakeRunHost hostFor(const QByteArrayList& files, const QString& outDir) {
    FakeRunHost host;
    host.files = files;
    host.inputs.outputFolder = outDir;
    host.inputs.keywords = kKeywordSortKeywords;
    host.inputs.policy = SameNamePolicy::Rename;
    host.inputs.skipIdentical = true;
    return host;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("src"));
    const QByteArrayList files = MakeKeywordSortTree(source);

    const auto cpRun = [&](int run) { return CpTreeSeconds(source, dir.filePath(QStringLiteral("cp-%1").arg(run))); };
    const BestPair best = BestOfPairs(kBenchPairs, cpRun, [&](int run) {
        const QString out = dir.filePath(QStringLiteral("out-%1").arg(run));
        (void)EngineSortSeconds(hostFor(files, out)); // the first run fills the output folder; not timed
        SettleDisk();
        FakeRunHost second = hostFor(files, out);
        const double seconds = SecondsFor([&] { RunSort(second); });
        if (second.reports.size() != 1 || second.reports.first().identical != files.size()) {
            std::fprintf(stderr, "the second run did not find every file there\n");
            std::exit(1);
        }
        return seconds;
    });
    PrintBenchLine("rerun-identical-10k", best, "cp");
    return 0;
}

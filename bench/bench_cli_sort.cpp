// Sorting 10,000 files of 4 KiB by keyword with the program's command line, the whole process timed (start-up,
// folder scan, sort, journal), against cp -p -r of the same tree.

#include "BenchCommon.h"
#include "KeywordSortTree.h"

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("src"));
    MakeKeywordSortTree(source);

    const BestPair best = BestOfPairs(
        kBenchPairs, [&](int run) { return CpTreeSeconds(source, dir.filePath(QStringLiteral("cp-%1").arg(run))); },
        [&](int run) {
            // Journaled, as a run from the command line is, into a state folder of the benchmark's own.
            return SecondsForCommand(
                QStringLiteral("XDG_STATE_HOME='%5' '%1' sort --quiet --keywords '%2' --scan '%3' --out '%4'")
                    .arg(QStringLiteral(VARNOTH_PROGRAM), kKeywordSortKeywords, source,
                         dir.filePath(QStringLiteral("out-%1").arg(run)), dir.filePath(QStringLiteral("state"))));
        });
    PrintBenchLine("cli-sort-copy-10k", best, "cp");
    return 0;
}

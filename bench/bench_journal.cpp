// What the journal adds to a run: the keyword sort of 10,000 files of 4 KiB through the engine, by copy and by move
// within one file system (renames), journaled as every real run is, against the same sort without a journal.

#include "JournaledSort.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QByteArrayList files = MakeKeywordSortTree(dir.filePath(QStringLiteral("src")));
    const QByteArray journals = QFile::encodeName(dir.filePath(QStringLiteral("journals")));

    const auto copyRun = [&](const char* kind, const QByteArray& journalFolder) {
        return [&files, &dir, kind, journalFolder](int run) {
            return KeywordCopySeconds(
                files, dir.filePath(QStringLiteral("copy-%1-%2").arg(QLatin1String(kind)).arg(run)), journalFolder);
        };
    };
    const auto moveRun = [&](const char* kind, const QByteArray& journalFolder) {
        return [&files, &dir, kind, journalFolder](int run) {
            return KeywordMoveSeconds(dir.path(), dir.path(),
                                      QStringLiteral("move-%1-%2").arg(QLatin1String(kind)).arg(run), journalFolder);
        };
    };
    const BestPair copy = BestOfPairs(kBenchPairs, copyRun("bare", {}), copyRun("journaled", journals));
    const BestPair move = BestOfPairs(kBenchPairs, moveRun("bare", {}), moveRun("journaled", journals));
    PrintBenchLine("journal-10k-copy", copy, "nojournal");
    PrintBenchLine("journal-10k-move", move, "nojournal");
    std::printf("journal: %.2f us per copied file, %.2f us per moved file (%.1f%% and %.1f%% of the run)\n",
                (copy.measured - copy.baseline) * 1e6 / double(files.size()),
                (move.measured - move.baseline) * 1e6 / double(files.size()), (copy.measured / copy.baseline - 1) * 100,
                (move.measured / move.baseline - 1) * 100);
    return 0;
}

// Sorting 10,000 files of 4 KiB by keyword through the engine, against cp -p -r of the same tree: a copy, a move
// within one file system (renames) and a move from a tmpfs to the disk (copies, flushed together, then deleted),
// each journaled as every real run is. Then what the journal costs (the same runs without it), and the plan of the
// copy against the copy itself.

#include "EngineSort.h"
#include "KeywordSortTree.h"
#include "engine/SortPlan.h"
#include "journal/JournalRecorder.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <sys/stat.h>

namespace {

constexpr int kRuns = 3;

// A run's host whose runs are journaled in journals, or not at all when it is empty.
struct BenchHost : FakeRunHost {
    QByteArray journals;
    RecordingStart startRecording(const RunDescription& run) override {
        if (journals.isEmpty()) {
            return {};
        }
        Fs::Result<std::unique_ptr<JournalRecorder>> recorder = StartJournal(run, JournalFolder(journals));
        if (recorder.failed()) {
            std::fprintf(stderr, "cannot journal in %s\n", journals.constData());
            std::exit(1);
        }
        return {true, std::move(*recorder)};
    }
};

BenchHost hostFor(const QByteArrayList& files, const QString& outDir, bool move, const QByteArray& journals) {
    BenchHost host;
    host.files = files;
    host.inputs.outputFolder = outDir;
    host.inputs.move = move;
    host.inputs.keywords = kKeywordSortKeywords;
    host.journals = journals;
    return host;
}

// One move of a fresh tree made under sourceRoot into a new folder named name under outRoot; making the tree is not
// timed.
double moveSeconds(const QString& sourceRoot, const QString& outRoot, const QString& name, const QByteArray& journals) {
    const QByteArrayList files = MakeKeywordSortTree(QStringLiteral("%1/%2-src").arg(sourceRoot, name));
    SettleDisk();
    return EngineSortSeconds(hostFor(files, QStringLiteral("%1/%2").arg(outRoot, name), true, journals));
}

// The best of three runs of timed(name, journals) with the journal and of three without, taking turns, so that both
// meet the same load.
std::pair<double, double> withAndWithoutJournal(const std::function<double(const QString&, const QByteArray&)>& timed,
                                                const QString& label, const QByteArray& journals) {
    double with = 0;
    double without = 0;
    for (int run = 0; run < kRuns; ++run) {
        SettleDisk();
        const double journaled = timed(QStringLiteral("%1-%2").arg(label).arg(run), journals);
        SettleDisk();
        const double bare = timed(QStringLiteral("%1-bare-%2").arg(label).arg(run), {});
        with = run == 0 ? journaled : std::min(with, journaled);
        without = run == 0 ? bare : std::min(without, bare);
    }
    return {with, without};
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
    const QByteArray journals = QFile::encodeName(dir.filePath(QStringLiteral("journals")));

    const double cpSeconds = CpTreeSeconds(kRuns, source, dir.path(), QStringLiteral("cp"));
    const auto [copy, bareCopy] = withAndWithoutJournal(
        [&](const QString& name, const QByteArray& journalFolder) {
            return EngineSortSeconds(hostFor(files, dir.filePath(name), false, journalFolder));
        },
        QStringLiteral("copy"), journals);
    const auto [move, bareMove] = withAndWithoutJournal(
        [&](const QString& name, const QByteArray& journalFolder) {
            return moveSeconds(dir.path(), dir.path(), name, journalFolder);
        },
        QStringLiteral("move"), journals);
    PrintBenchLine("sort-copy-10k", copy, "cp", cpSeconds);
    PrintBenchLine("sort-move-10k", move, "cp", cpSeconds);
    // What the journal adds: the same runs without it.
    PrintBenchLine("journal-copy-10k", copy, "nojournal", bareCopy);
    PrintBenchLine("journal-move-10k", move, "nojournal", bareMove);

    // The plan of the copy, into an output folder that the copies above did not touch.
    BenchHost planHost = hostFor(files, dir.filePath(QStringLiteral("plan")), false, {});
    const double plan = BestSeconds(kRuns, [&](int) {
        return SecondsFor([&] {
            if (!PlanSort(planHost) || !planHost.messages.isEmpty()) {
                std::fprintf(stderr, "the plan was refused\n");
                std::exit(1);
            }
        });
    });
    PrintBenchLine("plan-10k", plan, "run", copy);

    // From a tmpfs (/dev/shm) to the disk, against cp -p -r along the same way.
    QTemporaryDir memory(QStringLiteral("/dev/shm/varnoth-bench-XXXXXX"));
    if (!memory.isValid() || deviceOf(memory.path()) == deviceOf(dir.path())) {
        std::fprintf(stderr, "no tmpfs at /dev/shm apart from the disk: sort-move-crossfs-10k not measured\n");
        return 0;
    }
    const QString memorySource = memory.filePath(QStringLiteral("src"));
    MakeKeywordSortTree(memorySource);
    const double crossCpSeconds = CpTreeSeconds(kRuns, memorySource, dir.path(), QStringLiteral("cross-cp"));
    const double crossMove = BestSeconds(kRuns, [&](int run) {
        return moveSeconds(memory.path(), dir.path(), QStringLiteral("cross-move-%1").arg(run), journals);
    });
    PrintBenchLine("sort-move-crossfs-10k", crossMove, "cp", crossCpSeconds);
    return 0;
}

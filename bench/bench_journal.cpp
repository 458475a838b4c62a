// What the journal adds to a run: the file operations of a 10,000-file keyword sort (4 KiB copies, or moves by
// rename) with every action journaled as the run does it (intent before, done after, group flushes, the last record
// flushed), against the same operations without a journal.

#include "BenchCommon.h"
#include "KeywordSortTree.h"
#include "core/FileNames.h"
#include "core/FsFileCopy.h"
#include "journal/RunJournal.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/stat.h>

namespace {

QByteArray targetOf(const QByteArray& source, const QByteArray& output) {
    const QByteArray name = FileNameOf(source);
    return output + '/' + name.mid(name.lastIndexOf('_') + 1).chopped(4) + '/' + name;
}

// Places every file into its keyword folder under output, by copy or by rename, journaled when journal is set.
void placeAll(const QByteArrayList& files, const QByteArray& output, bool move, RunJournal* journal) {
    ::mkdir(output.constData(), 0755);
    for (int keyword = 0; keyword < 10; ++keyword) {
        const QByteArray folder = output + "/kw" + QByteArray::number(keyword);
        ::mkdir(folder.constData(), 0755);
        if (journal) {
            journal->folderMade(folder);
        }
    }
    for (const QByteArray& source : files) {
        const QByteArray target = targetOf(source, output);
        const int step =
            journal ? journal->intent(move ? Transfer::Move : Transfer::Copy, NameUse::Free, source, target) : 0;
        const bool placed = move ? ::rename(source.constData(), target.constData()) == 0
                                 : !Fs::CopyRegularFile(source, target, {.failIfExists = true}).failed();
        if (!placed) {
            std::fprintf(stderr, "cannot place %s\n", source.constData());
            std::exit(1);
        }
        if (journal) {
            move ? journal->renamed(step) : journal->done(step);
        }
    }
}

double runSeconds(const QByteArrayList& files, const QByteArray& output, bool move, bool journaled) {
    return SecondsFor([&] {
        if (!journaled) {
            placeAll(files, output, move, nullptr);
            return;
        }
        RunHeader header;
        header.move = move;
        header.listSize = int(files.size());
        const std::unique_ptr<RunJournal> journal = *RunJournal::start(JournalFolder::standard(), header);
        placeAll(files, output, move, journal.get());
        if (journal->finish({false, {0, int(files.size()), 0, 0}}).failed()) {
            std::fprintf(stderr, "the journal could not be written\n");
            std::exit(1);
        }
    });
}

// Moves the files placed under output back to their sources, so that the next move has them again.
void moveBack(const QByteArrayList& files, const QByteArray& output) {
    for (const QByteArray& source : files) {
        ::rename(targetOf(source, output).constData(), source.constData());
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path());
    qputenv("XDG_STATE_HOME", root + "/state"); // never the user's own journals
    const QByteArrayList files = MakeKeywordSortTree(dir.filePath(QStringLiteral("src")));

    // Best of five, the runs with and without the journal taking turns so that both meet the same machine.
    constexpr int kRuns = 5;
    double copy[2] = {};
    double move[2] = {};
    for (int run = 0; run < kRuns; ++run) {
        for (const bool journaled : {false, true}) {
            SettleDisk();
            const QByteArray tag = QByteArray::number(run) + (journaled ? "j" : "n");
            const double copySeconds = runSeconds(files, root + "/copy-" + tag, false, journaled);
            SettleDisk();
            const double moveSeconds = runSeconds(files, root + "/move-" + tag, true, journaled);
            moveBack(files, root + "/move-" + tag);
            copy[journaled] = run == 0 ? copySeconds : std::min(copy[journaled], copySeconds);
            move[journaled] = run == 0 ? moveSeconds : std::min(move[journaled], moveSeconds);
        }
    }
    PrintBenchLine("journal-10k-copy", copy[1], "nojournal", copy[0]);
    PrintBenchLine("journal-10k-move", move[1], "nojournal", move[0]);
    std::printf("journal: %.2f us per copied file, %.2f us per moved file (%.1f%% and %.1f%% of the run)\n",
                (copy[1] - copy[0]) * 1e6 / double(files.size()), (move[1] - move[0]) * 1e6 / double(files.size()),
                (copy[1] / copy[0] - 1) * 100, (move[1] / move[0] - 1) * 100);
    return 0;
}

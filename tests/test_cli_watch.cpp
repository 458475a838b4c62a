#include "testsupport/CliProcess.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/OutputTree.h"
#include "testsupport/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kArrivalTimeoutMs = 20000;

// The files below folder, as paths relative to it.
QStringList filesBelow(const QString& folder) {
    QStringList files;
    for (const QString& entry : TreeOf(folder)) {
        if (!entry.endsWith(u'/')) {
            files.append(entry);
        }
    }
    return files;
}

int readKernelLimit(const char* path) {
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toInt() : 0;
}

} // namespace

// "varnoth watch" as a user runs it over a Downloads folder: the real program, in a temporary home, with a short
// settle time, fed by files written the ways browsers and people write them.
class TestCliWatch : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    CliResult varnoth(const QByteArrayList& arguments) {
        return RunCli(u"" VARNOTH_PROGRAM ""_s, arguments, m_dir->path(), path(u"home"_s));
    }
    std::unique_ptr<BackgroundCli> watch(const QByteArrayList& options, const QByteArrayList& folders = {"in"}) {
        return std::make_unique<BackgroundCli>(u"" VARNOTH_PROGRAM ""_s,
                                               QByteArrayList{"watch", "--by-type", "-o", "out"} + options + folders,
                                               m_dir->path(), path(u"home"_s), path(u"watch"_s));
    }
    // Waits until the output folder holds count files.
    bool placed(int count, int timeoutMs = kArrivalTimeoutMs) {
        return QTest::qWaitFor([&] { return filesBelow(path(u"out"_s)).size() >= count; }, timeoutMs);
    }
    // Waits until the watcher watches: a probe file, written again until it is taken (a write before the watch
    // began is not an arrival), has been placed.
    bool started(BackgroundCli& watcher) {
        for (int attempt = 0; attempt < 8 && watcher.pid() > 0; ++attempt) {
            WriteTestFile(path(u"in/started.probe"_s), "p");
            if (QTest::qWaitFor([&] { return QFile::exists(path(u"out/.probe/started.probe"_s)); }, 2500)) {
                return true;
            }
        }
        return false;
    }

private slots:
    void init() {
        QVERIFY(m_dir.emplace().isValid());
        QVERIFY(QDir(m_dir->path()).mkpath(u"in"_s));
        QVERIFY(QDir(m_dir->path()).mkpath(u"home"_s));
    }

    void wrongArguments_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("named");
        QTest::newRow("no folder") << QByteArrayList{"watch", "--by-type", "-o", "out"} << QByteArray("no folder");
        QTest::newRow("settle not a number")
            << QByteArrayList{"watch", "--by-type", "-o", "out", "--settle", "x", "in"} << QByteArray("--settle");
        QTest::newRow("negative settle") << QByteArrayList{"watch", "--by-type", "-o", "out", "--settle", "-1", "in"}
                                         << QByteArray("--settle");
        QTest::newRow("a plan") << QByteArrayList{"watch", "--by-type", "-o", "out", "--dry-run", "in"}
                                << QByteArray("--dry-run");
        QTest::newRow("missing folder") << QByteArrayList{"watch", "--by-type", "-o", "out", "nothing"}
                                        << QByteArray("nothing: cannot watch");
        QTest::newRow("save without a saved sort")
            << QByteArrayList{"watch", "--by-type", "-o", "out", "--save", "in"} << QByteArray("--save");
        QTest::newRow("unknown saved sort") << QByteArrayList{"watch", "--preset", "Nope", "in"} << QByteArray("Nope");
        QTest::newRow("folder in the output")
            << QByteArrayList{"watch", "--by-type", "-o", "in", "in"} << QByteArray("in: lies in the output folder");
    }
    void wrongArguments() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, named);
        const CliResult result = varnoth(arguments);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains(named), result.err.constData());
    }

    // What is there first is sorted unless --new-only; what arrives after is sorted either way; names being
    // written are never taken, nor a file beside its own download; a .part renamed to its name is.
    void takesWhatArrives_data() {
        QTest::addColumn<bool>("newOnly");
        QTest::newRow("first sorts what is there") << false;
        QTest::newRow("new only") << true;
    }
    void takesWhatArrives() {
        QFETCH(bool, newOnly);
        WriteTestFile(path(u"in/there.doc"_s), "there");
        // Enough files at once that the folder is listed for downloads rather than asked name by name.
        constexpr int kCrowd = 40;
        for (int file = 0; file < kCrowd; ++file) {
            WriteTestFile(path(u"in/crowd%1.doc"_s.arg(file)), "crowd");
        }
        WriteTestFile(path(u"in/h.zip"_s), "h");
        WriteTestFile(path(u"in/h.zip.part"_s), "partial");
        auto watcher = watch(newOnly ? QByteArrayList{"--move", "--settle", "0", "--new-only"}
                                     : QByteArrayList{"--move", "--settle", "0"});
        QVERIFY(started(*watcher));
        const QStringList beingWritten{u"a.part"_s,        u"b.crdownload"_s, u"c.download"_s,       u"d.tmp"_s,
                                       u".~lock.e.odt#"_s, u"f.zip.part"_s,   u".varnoth-1-1.part"_s};
        for (const QString& name : beingWritten) {
            WriteTestFile(path(u"in/"_s + name), "partial");
        }
        WriteTestFile(path(u"in/f.zip"_s), "f"); // its download is still going on beside it
        WriteTestFile(path(u"in/g.jpg"_s), "g");
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(path(u"out/.jpg/g.jpg"_s)); }, kArrivalTimeoutMs));
        QTest::qWait(600); // longer than a file that is not ready waits to be looked at again
        QCOMPARE(QFile::exists(path(u"in/f.zip"_s)), true);
        QCOMPARE(QFile::exists(path(u"in/there.doc"_s)), newOnly);
        QCOMPARE(QFile::exists(path(u"in/crowd0.doc"_s)), newOnly);
        QCOMPARE(QFile::exists(path(u"in/h.zip"_s)), true);

        QVERIFY(QFile::rename(path(u"in/a.part"_s), path(u"in/a.pdf"_s)));
        QVERIFY(QFile::remove(path(u"in/f.zip.part"_s)));
        QVERIFY(QTest::qWaitFor(
            [&] { return QFile::exists(path(u"out/.pdf/a.pdf"_s)) && QFile::exists(path(u"out/.zip/f.zip"_s)); },
            kArrivalTimeoutMs));
        watcher->sendSignal(SIGTERM);
        QCOMPARE(watcher->waitForExit().exitCode, 0);
        for (const QString& name : beingWritten.mid(1, 4)) {
            QVERIFY2(QFile::exists(path(u"in/"_s + name)), qPrintable(name));
        }
        QCOMPARE(ReadTestFile(path(u"out/.pdf/a.pdf"_s)), QByteArray("partial"));
    }

    // A file written a piece at a time over two seconds, closed after each piece, is taken once, whole.
    void slowWriteTakenWhenComplete() {
        auto watcher = watch({"--move", "--settle", "1"});
        QVERIFY(started(*watcher));
        QByteArray whole;
        for (int piece = 0; piece < 8; ++piece) {
            QFile file(path(u"in/slow.bin"_s));
            QVERIFY(file.open(QIODevice::Append));
            const QByteArray bytes(4096, char('a' + piece));
            QCOMPARE(file.write(bytes), qint64(bytes.size()));
            file.close();
            whole += bytes;
            QTest::qWait(250);
            QVERIFY2(!QFile::exists(path(u"out/.bin/slow.bin"_s)), "taken while still being written");
        }
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(path(u"out/.bin/slow.bin"_s)); }, kArrivalTimeoutMs));
        QCOMPARE(ReadTestFile(path(u"out/.bin/slow.bin"_s)), whole);
        QCOMPARE(QFile::exists(path(u"in/slow.bin"_s)), false);
        watcher->sendSignal(SIGTERM);
        QCOMPARE(watcher->waitForExit().exitCode, 0);
    }

    // 10,000 files at once: each placed exactly once, none left, none twice.
    void burstEachPlacedOnce() {
        auto watcher = watch({"--move", "--settle", "0", "--quiet"});
        QVERIFY(started(*watcher));
        constexpr int kFiles = 10000;
        for (int i = 0; i < kFiles; ++i) {
            MakeFile(QFile::encodeName(path(u"in/f%1.txt"_s.arg(i))), QByteArray::number(i));
        }
        QVERIFY(placed(kFiles + 1, 120000));
        watcher->sendSignal(SIGTERM);
        QCOMPARE(watcher->waitForExit().exitCode, 0);
        QStringList names = filesBelow(path(u"out/.txt"_s));
        QCOMPARE(names.size(), kFiles);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), kFiles);
        QCOMPARE(filesBelow(path(u"in"_s)), QStringList());
    }

    // Events lost to a full kernel queue: the folders are looked at again and every file is still placed.
    void overflowRescans() {
        const int queueLimit = readKernelLimit("/proc/sys/fs/inotify/max_queued_events");
        if (queueLimit <= 0 || queueLimit > 100000) {
            QSKIP("the kernel's inotify queue limit is unknown or too large to overflow in a test");
        }
        auto watcher = watch({"--move", "--settle", "0", "--quiet"});
        QVERIFY(started(*watcher));
        watcher->sendSignal(SIGSTOP);
        const int files = queueLimit + 100;
        for (int i = 0; i < files; ++i) {
            MakeFile(QFile::encodeName(path(u"in/o%1.txt"_s.arg(i))), "o");
        }
        watcher->sendSignal(SIGCONT);
        QVERIFY(placed(files + 1, 120000));
        QVERIFY2(watcher->errorOutput().contains("looking at the folders again"), watcher->errorOutput().constData());
        watcher->sendSignal(SIGTERM);
        QCOMPARE(watcher->waitForExit().exitCode, 0);
        QCOMPARE(filesBelow(path(u"in"_s)), QStringList());
    }

    // SIGTERM in the middle of a batch: the file under way is finished, the watcher exits 0, every placed file is
    // whole and no temporary file is left.
    void terminationMidBatch() {
        auto watcher = watch({"--settle", "0", "--quiet", "--new-only"});
        QTest::qWait(500);
        const QByteArray content(1 << 20, 'x');
        constexpr int kFiles = 200;
        for (int i = 0; i < kFiles; ++i) {
            MakeFile(QFile::encodeName(path(u"in/t%1.txt"_s.arg(i))), content);
        }
        QVERIFY(placed(1));
        watcher->sendSignal(SIGTERM);
        const CliResult result = watcher->waitForExit();
        QCOMPARE(result.exitCode, 0);
        const QStringList copies = filesBelow(path(u"out"_s));
        QVERIFY(!copies.isEmpty());
        for (const QString& copy : copies) {
            QVERIFY2(!copy.contains(u"/."_s), qPrintable(copy));
            QVERIFY2(ReadTestFile(path(u"out/"_s + copy)) == content, qPrintable(copy));
        }
    }

    // A watched batch is listed as such, passed over by a plain undo (which says so) and undone on request.
    void undoWatchedBatch() {
        auto watcher = watch({"--move", "--settle", "0"});
        QVERIFY(started(*watcher));
        watcher->sendSignal(SIGTERM);
        QCOMPARE(watcher->waitForExit().exitCode, 0);
        const CliResult history = varnoth({"history"});
        QVERIFY2(history.out.endsWith("\twatch\n"), history.out.constData());

        const CliResult plain = varnoth({"undo"});
        QCOMPARE(plain.exitCode, 2);
        QVERIFY2(plain.err.contains("skipped 1 newer batch"), plain.err.constData());
        QCOMPARE(QFile::exists(path(u"out/.probe/started.probe"_s)), true);

        const CliResult undo = varnoth({"undo", "--watch"});
        QCOMPARE(undo.exitCode, 0);
        QCOMPARE(ReadTestFile(path(u"in/started.probe"_s)), QByteArray("p"));
        QCOMPARE(QFile::exists(path(u"out/.probe"_s)), false);
    }

    // The output folder inside a watched folder (a level the depth reaches) is never watched: a copy placed there
    // is not taken again.
    void outputFolderNeverTaken() {
        auto watcher = std::make_unique<BackgroundCli>(
            u"" VARNOTH_PROGRAM ""_s,
            QByteArrayList{"watch", "--by-type", "-o", "in/sorted", "--depth", "1", "--settle", "0", "in"},
            m_dir->path(), path(u"home"_s), path(u"watch"_s));
        WriteTestFile(path(u"in/a.txt"_s), "a");
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(path(u"in/sorted/.txt/a.txt"_s)); }, kArrivalTimeoutMs));
        QVERIFY(QDir(m_dir->path()).mkpath(u"in/sub"_s));
        QTest::qWait(300);
        WriteTestFile(path(u"in/sub/b.txt"_s), "b");
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(path(u"in/sorted/.txt/b.txt"_s)); }, kArrivalTimeoutMs));
        QTest::qWait(800);
        watcher->sendSignal(SIGTERM);
        QCOMPARE(watcher->waitForExit().exitCode, 0);
        QCOMPARE(filesBelow(path(u"in/sorted"_s)), (QStringList{u".txt/a.txt"_s, u".txt/b.txt"_s}));
        const CliResult history = varnoth({"history"});
        QCOMPARE(history.out.count('\n'), 2);
    }

    // The folders kept in a saved sort with --save are those a watch of it without FOLDERs watches; a saved sort
    // that keeps none is refused.
    void savedSortKeepsItsFolders() {
        QCOMPARE(varnoth({"sort", "--save-preset", "Down loads", "--by-type", "--move", "-o", "out"}).exitCode, 0);
        const CliResult none = varnoth({"watch", "--preset", "Down loads"});
        QCOMPARE(none.exitCode, 2);
        QVERIFY2(none.err.contains("no folder to watch"), none.err.constData());
        QCOMPARE(varnoth({"watch", "--preset", "Down loads", "--save", "in"}).exitCode, 0);
        QCOMPARE(QFile::exists(path(u"out"_s)), false); // saving watched nothing

        auto watcher = std::make_unique<BackgroundCli>(
            u"" VARNOTH_PROGRAM ""_s, QByteArrayList{"watch", "--preset", "Down loads", "--settle", "0"},
            path(u"home"_s), path(u"home"_s), path(u"watch"_s));
        QVERIFY(started(*watcher));
        watcher->sendSignal(SIGTERM);
        QCOMPARE(watcher->waitForExit().exitCode, 0);
        QCOMPARE(QFile::exists(path(u"in/started.probe"_s)), false); // moved, as the saved sort says
    }

    // Several saved sorts watch together: each file goes with the first that takes it.
    void severalSavedSortsTakeInTurn() {
        for (const QByteArrayList& save :
             {QByteArrayList{"pics", "--include", "jpg", "-o", "pics"}, QByteArrayList{"rest", "-o", "out"}}) {
            QCOMPARE(varnoth(QByteArrayList{"sort", "--by-type", "--move", "--save-preset"} + save).exitCode, 0);
        }
        auto watcher = std::make_unique<BackgroundCli>(
            u"" VARNOTH_PROGRAM ""_s,
            QByteArrayList{"watch", "--preset", "pics", "--preset", "rest", "--settle", "0", "in"}, m_dir->path(),
            path(u"home"_s), path(u"watch"_s));
        QVERIFY(started(*watcher));
        WriteTestFile(path(u"in/a.jpg"_s), "a");
        WriteTestFile(path(u"in/b.txt"_s), "b");
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(path(u"pics/.jpg/a.jpg"_s)); }, kArrivalTimeoutMs));
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(path(u"out/.txt/b.txt"_s)); }, kArrivalTimeoutMs));
        watcher->sendSignal(SIGTERM);
        QCOMPARE(watcher->waitForExit().exitCode, 0);
        QCOMPARE(filesBelow(path(u"pics"_s)).size(), 1);
    }

    // An output folder that refuses the files: each failure is reported, the file stays where it was, and watching
    // goes on for the next one once the folder takes files again.
    void failureIsReportedAndWatchingGoesOn() {
        if (RunningAsRoot()) {
            QSKIP("root writes into a write-protected folder");
        }
        QVERIFY(QDir(m_dir->path()).mkpath(u"out/.txt"_s));
        SetMode(QFile::encodeName(path(u"out/.txt"_s)), 0555);
        auto watcher = watch({"--move", "--settle", "0", "--new-only"});
        QTest::qWait(500);
        WriteTestFile(path(u"in/refused.txt"_s), "r");
        QVERIFY(QTest::qWaitFor([&] { return watcher->errorOutput().contains("refused.txt"); }, kArrivalTimeoutMs));
        QCOMPARE(ReadTestFile(path(u"in/refused.txt"_s)), QByteArray("r"));
        SetMode(QFile::encodeName(path(u"out/.txt"_s)), 0755);
        WriteTestFile(path(u"in/later.txt"_s), "l");
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(path(u"out/.txt/later.txt"_s)); }, kArrivalTimeoutMs));
        watcher->sendSignal(SIGTERM);
        QCOMPARE(watcher->waitForExit().exitCode, 0);
    }

    // A watched folder that goes away is reported; the other is still watched.
    void folderRemovedOthersGoOn() {
        QVERIFY(QDir(m_dir->path()).mkpath(u"other"_s));
        auto watcher = watch({"--move", "--settle", "0"}, {"in", "other"});
        QVERIFY(started(*watcher));
        QVERIFY(QDir(path(u"other"_s)).removeRecursively());
        QVERIFY(QTest::qWaitFor([&] { return watcher->errorOutput().contains("removed or unmounted"); },
                                kArrivalTimeoutMs));
        WriteTestFile(path(u"in/later.doc"_s), "l");
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(path(u"out/.doc/later.doc"_s)); }, kArrivalTimeoutMs));
        watcher->sendSignal(SIGTERM);
        QCOMPARE(watcher->waitForExit().exitCode, 0);
    }
};

QTEST_GUILESS_MAIN(TestCliWatch)
#include "test_cli_watch.moc"

#include "TreeSnapshot.h"
#include "journal/RunJournal.h"
#include "testsupport/CliProcess.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/OutputTree.h"
#include "testsupport/TestFiles.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// "varnoth history" and "varnoth undo" as scripts run them: the real program, no display, over the journals a run
// writes, in a home of the test's own.
class TestCliHistory : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    QByteArray root() const { return QFile::encodeName(m_dir->path()); }
    JournalFolder journals() const { return JournalFolder(root() + "/home/.local/state/Varnoth/runs"); }
    CliResult varnoth(const QByteArrayList& arguments) {
        return RunCli(u"" VARNOTH_PROGRAM ""_s, arguments, m_dir->path(), m_dir->filePath(u"home"_s));
    }

    // A complete copy run of in/a.txt into out/, journaled as a sort journals it; its id.
    QByteArray journaledCopy() {
        MakeFolder(root() + "/in");
        MakeFolder(root() + "/out");
        MakeFile(root() + "/in/a.txt", "a");
        [&] { QVERIFY(!journals().prepare().failed()); }();
        Fs::Error error;
        const std::unique_ptr<RunJournal> journal =
            RunJournal::start(journals(), {TypePage, false, SameNamePolicy::Skip, 0, 1, 0}, error);
        const int step = journal->intent(Transfer::Copy, NameUse::Free, root() + "/in/a.txt", root() + "/out/a.txt");
        MakeFile(root() + "/out/a.txt", "a");
        journal->done(step);
        (void)journal->finish({false, {0, 1, 0, 0}});
        return journal->id();
    }

private slots:
    void init() { QVERIFY(m_dir.emplace().isValid()); }
    // A name that is not valid UTF-8 is beyond QTemporaryDir's own removal.
    void cleanup() { RemoveTree(root()); }

    // Wrong arguments, and undo with no run to undo: one line on standard error, exit status 2.
    void withoutRuns_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("named");
        QTest::newRow("undo, no journal") << QByteArrayList{"undo"} << QByteArray("no run to undo");
        QTest::newRow("undo of no such run")
            << QByteArrayList{"undo", "20240101T000000.000Z-1"} << QByteArray("20240101T000000.000Z-1: no such run");
        QTest::newRow("undo out of the folder") << QByteArrayList{"undo", "../../x"} << QByteArray("no such run");
        QTest::newRow("undo of a hostile name") << QByteArrayList{"undo", "a\nb\xff"} << QByteArray("a\\nb\\xFF");
        QTest::newRow("undo of two runs") << QByteArrayList{"undo", "a", "b"} << QByteArray("at most one RUN");
        QTest::newRow("history with an argument") << QByteArrayList{"history", "a"} << QByteArray("history:");
    }
    void withoutRuns() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, named);
        const CliResult result = varnoth(arguments);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.startsWith("varnoth: ") && result.err.count('\n') == 1, result.err.constData());
        QVERIFY2(result.err.contains(named), result.err.constData());
        QCOMPARE(result.out, QByteArray());
    }

    // The history lists the run; undo takes back the copy unless it was changed since, which it then leaves and
    // lists; the run shows as undone either way.
    void undo_data() {
        QTest::addColumn<bool>("changedSince");
        QTest::newRow("copy as the run left it") << false;
        QTest::newRow("copy changed since") << true;
    }
    void undo() {
        QFETCH(bool, changedSince);
        const QByteArray id = journaledCopy();
        const CliResult history = varnoth({"history"});
        QCOMPARE(history.exitCode, 0);
        const QRegularExpression line(u"^%1\t\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d\ttype\tcopy\t"
                                      u"1\t0\t0\t0\tcomplete\n$"_s.arg(QString::fromLatin1(id)));
        QVERIFY2(line.match(QString::fromUtf8(history.out)).hasMatch(), history.out.constData());
        if (changedSince) {
            WriteTestFile(m_dir->filePath(u"out/a.txt"_s), "rewritten");
        }
        const CliResult undo = varnoth({"undo"});
        QCOMPARE(undo.exitCode, changedSince ? 1 : 0);
        QCOMPARE(undo.err.contains("varnoth: left " + root() + "/out/a.txt"), changedSince);
        QCOMPARE(TreeOf(m_dir->filePath(u"out"_s)), changedSince ? QStringList{u"a.txt"_s} : QStringList{});
        const CliResult after = varnoth({"history"});
        QVERIFY2(after.out.endsWith("\tundone\n"), after.out.constData());
        // Undoing the run again tries again what was left; with nothing left, there is nothing to undo.
        QCOMPARE(varnoth({"undo", id}).exitCode, changedSince ? 1 : 2);
        QCOMPARE(varnoth({"undo"}).exitCode, 2);
    }

    void undoCommandLineSort_data() {
        QTest::addColumn<QByteArrayList>("options");
        QTest::newRow("type, move") << QByteArrayList{"--by-type", "--move"};
        QTest::newRow("keywords, move, overwrite")
            << QByteArrayList{"--keywords", "a b", "--move", "--on-conflict", "overwrite"};
        QTest::newRow("name, copy, number") << QByteArrayList{"--by-name", "--on-conflict", "number"};
    }
    // A sort from the command line, undone from the command line: the tree is byte for byte as it was, the files
    // a replacement put in the trash included, and the folders the run made are gone.
    void undoCommandLineSort() {
        QFETCH(QByteArrayList, options);
        const QByteArray tree = root() + "/tree";
        for (const char* folder : {"", "/in", "/in/x", "/in/y", "/out", "/out/.txt", "/out/a"}) {
            MakeFolder(tree + folder);
        }
        for (const QByteArray file : {"/in/x/a.txt", "/in/y/a.txt", "/in/b a.doc", "/in/y/n\xff\n.txt"}) {
            MakeFile(tree + file, file);
        }
        MakeFile(tree + "/out/.txt/a.txt", "old");
        MakeFile(tree + "/out/a/a.txt", "old");
        const TreeSnapshot before = SnapshotOf(tree);
        const CliResult sort =
            varnoth(QByteArrayList{"sort"} + options + QByteArrayList{"--out", "tree/out", "--scan", "tree/in"});
        QCOMPARE(sort.exitCode, 0);
        QVERIFY(SnapshotOf(tree) != before);
        const CliResult undo = varnoth({"undo"});
        QVERIFY2(undo.exitCode == 0, undo.err.constData());
        QVERIFY2(SnapshotOf(tree) == before, DifferencesBetween(before, SnapshotOf(tree)).constData());
    }
};

QTEST_GUILESS_MAIN(TestCliHistory)
#include "test_cli_history.moc"

#include "TreeSnapshot.h"
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
    CliResult varnoth(const QByteArrayList& arguments) {
        return RunCli(u"" VARNOTH_PROGRAM ""_s, arguments, m_dir->path(), m_dir->filePath(u"home"_s));
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

    void undoCommandLineSort_data() {
        QTest::addColumn<QByteArrayList>("options");
        QTest::addColumn<bool>("changedSince");
        QTest::newRow("type, move") << QByteArrayList{"--by-type", "--move"} << false;
        QTest::newRow("keywords, move, overwrite")
            << QByteArrayList{"--keywords", "a b", "--move", "--on-conflict", "overwrite"} << false;
        QTest::newRow("name, copy, number") << QByteArrayList{"--by-name", "--on-conflict", "number"} << false;
        QTest::newRow("type, copy changed since") << QByteArrayList{"--by-type"} << true;
    }
    // A sort from the command line, listed by the history and undone from the command line: the tree is byte for
    // byte as it was, the files a replacement put in the trash included, and the folders the run made are gone. A
    // copy changed since is left and listed, and stays left when the run is undone again.
    void undoCommandLineSort() {
        QFETCH(QByteArrayList, options);
        QFETCH(bool, changedSince);
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
        const CliResult history = varnoth({"history"});
        const QRegularExpression line(uR"re(^([^\t]+)\t\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d\t)re"
                                      uR"re((keywords|name|type)\t(copy|move)(\t\d+){4}\tcomplete\t-\n$)re"_s);
        const QRegularExpressionMatch listed = line.match(QString::fromUtf8(history.out));
        QVERIFY2(history.exitCode == 0 && listed.hasMatch(), history.out.constData());
        if (changedSince) {
            WriteTestFile(m_dir->filePath(u"tree/out/.doc/b a.doc"_s), "rewritten");
        }
        const CliResult undo = varnoth({"undo"});
        QCOMPARE(undo.exitCode, changedSince ? 1 : 0);
        QCOMPARE(undo.err.startsWith("varnoth: left " + tree + "/out/.doc/b a.doc"), changedSince);
        TreeSnapshot after = SnapshotOf(tree);
        if (changedSince) {
            // The changed copy, and the folder that holds it, stay; everything else is as it was.
            QVERIFY(after.remove("out/.doc/b a.doc") == 1 && after.remove("out/.doc") == 1);
        }
        QVERIFY2(after == before, DifferencesBetween(before, after).constData());
        QVERIFY(varnoth({"history"}).out.endsWith("\tundone\n"));
        // Undoing the run again tries again what was left; with nothing left, there is nothing to undo.
        QCOMPARE(varnoth({"undo", listed.captured(1).toUtf8()}).exitCode, changedSince ? 1 : 2);
        QCOMPARE(varnoth({"undo"}).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliHistory)
#include "test_cli_history.moc"

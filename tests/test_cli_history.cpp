#include "TreeSnapshot.h"
#include "journal/JournalRecordText.h"
#include "testsupport/CliProcess.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/OutputTree.h"
#include "testsupport/TestFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
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
        const QRegularExpression line(
            uR"re(^([^\t]+)\t\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d\t)re"
            uR"re((keywords|name|type)\t(copy|move)(\t\d+){4}\tcomplete\t-\t[0-9a-f]{4,40}\t\d+\t\d+\tuser\n$)re"_s);
        const QRegularExpressionMatch listed = line.match(QString::fromUtf8(history.out));
        QVERIFY2(history.exitCode == 0 && listed.hasMatch(), history.out.constData());
        if (changedSince) {
            WriteTestFile(m_dir->filePath(u"tree/out/.doc/b a.doc"_s), "rewritten");
        }
        const CliResult undo = varnoth({"undo"});
        QCOMPARE(undo.exitCode, changedSince ? 1 : 0);
        QCOMPARE(undo.err.startsWith("varnoth: left " + tree + "/out/.doc/b a.doc"), changedSince);
        // The reasons in words; the codes are for programs.
        QVERIFY2(undo.err.contains("/in/b a.doc): the file was changed after the sort\n") == changedSince,
                 undo.err.constData());
        QCOMPARE(undo.err.contains("/out/.doc: the folder is not empty\n"), changedSince);
        TreeSnapshot after = SnapshotOf(tree);
        if (changedSince) {
            // The changed copy, and the folder that holds it, stay; everything else is as it was.
            QVERIFY(after.remove("out/.doc/b a.doc") == 1 && after.remove("out/.doc") == 1);
        }
        QVERIFY2(after == before, DifferencesBetween(before, after).constData());
        QVERIFY(varnoth({"history"}).out.contains(changedSince ? "\tpartly-undone\t2\t" : "\tundone\t0\t"));
        // Undoing the run again tries again what was left; with nothing left, there is nothing to undo.
        QCOMPARE(varnoth({"undo", listed.captured(1).toUtf8()}).exitCode, changedSince ? 1 : 2);
        QCOMPARE(varnoth({"undo"}).exitCode, changedSince ? 1 : 2);
    }

    // The ids of the runs, newest first.
    QByteArrayList runIds() {
        QByteArrayList ids;
        for (const QByteArray& line : varnoth({"history"}).out.split('\n')) {
            if (!line.isEmpty()) {
                ids.append(line.left(line.indexOf('\t')));
            }
        }
        return ids;
    }

    // A plain undo comes back to a run undone in part before any older one, says so, and when it can take back
    // nothing more names the run before it and how to undo that; a run that placed nothing is never the one it
    // picks. Undo counts files and folders apart and exits 0 when it left nothing.
    void aPlainUndoNeverGoesPastARunUndoneInPart() {
        const QByteArray tree = root() + "/tree";
        for (int i = 0; i < 10; ++i) {
            WriteTestFile(m_dir->filePath(u"tree/many/a%1.txt"_s.arg(i)), "copy me");
        }
        WriteTestFile(m_dir->filePath(u"tree/two/x.doc"_s), "x");
        WriteTestFile(m_dir->filePath(u"tree/two/y.doc"_s), "y");
        QCOMPARE(varnoth({"sort", "--by-type", "--out", "tree/out1", "tree/many"}).exitCode, 0);
        QCOMPARE(varnoth({"sort", "--by-type", "--move", "--out", "tree/out2", "tree/two"}).exitCode, 0);
        WriteTestFile(m_dir->filePath(u"tree/out2/.doc/x.doc"_s), "changed since");
        const CliResult first = varnoth({"undo"});
        QCOMPARE(first.exitCode, 1);
        const QByteArrayList ids = runIds();
        QCOMPARE(first.out, ids[0] + ": files undone: 1, empty folders removed: 0, left: 3\n");
        QVERIFY(varnoth({"history"}).out.startsWith(ids[0] + '\t') &&
                varnoth({"history"}).out.contains("\tpartly-undone\t3\t"));

        // Sorting the first folder again places nothing: that run is passed over.
        QCOMPARE(varnoth({"sort", "--by-type", "--out", "tree/out1", "tree/many"}).exitCode, 0);
        const CliResult retry = varnoth({"undo"});
        QCOMPARE(retry.exitCode, 1);
        QVERIFY2(retry.err.contains(ids[0] + ": partly undone before; trying again what was left") &&
                     retry.err.contains("left " + tree + "/out2/.doc/x.doc") &&
                     retry.err.endsWith(ids[0] +
                                        ": nothing more can be undone; to undo the run before it: varnoth "
                                        "undo " +
                                        ids[1] + '\n'),
                 retry.err.constData());
        QCOMPARE(EntriesOf(m_dir->filePath(u"tree/out1/.txt"_s)).size(), 10);

        const CliResult older = varnoth({"undo", ids[1]});
        QCOMPARE(older.exitCode, 0);
        QCOMPARE(older.out, ids[1] + ": files undone: 10, empty folders removed: 2, left: 0\n");
        QVERIFY(!QFileInfo::exists(m_dir->filePath(u"tree/out1"_s)));
    }

    // A replacement by a file of the same bytes is undone by giving the new file the old one's time back; the
    // undo of the earlier run then still finds its copies as it left them, whichever run is undone first.
    void twoRunsOverOneAnotherAreUndoneInEitherOrder_data() {
        QTest::addColumn<bool>("olderFirst");
        QTest::newRow("newer run first") << false;
        QTest::newRow("older run first, then again") << true;
    }
    void twoRunsOverOneAnotherAreUndoneInEitherOrder() {
        QFETCH(bool, olderFirst);
        const QByteArray tree = root() + "/tree";
        for (int i = 0; i < 9; ++i) {
            WriteTestFile(m_dir->filePath(u"tree/in/f%1.txt"_s.arg(i)), "same " + QByteArray::number(i));
        }
        const TreeSnapshot before = SnapshotOf(tree);
        QCOMPARE(varnoth({"sort", "--by-type", "--out", "tree/out", "tree/in"}).exitCode, 0);
        QCOMPARE(varnoth({"sort", "--by-type", "--on-conflict", "overwrite", "--out", "tree/out", "tree/in"}).exitCode,
                 0);
        const QByteArrayList ids = runIds();
        if (olderFirst) {
            const CliResult older = varnoth({"undo", ids[1]});
            QCOMPARE(older.exitCode, 1); // the newer run's files stand at every name, and in its folders
            QVERIFY2(older.out.endsWith("files undone: 0, empty folders removed: 0, left: 11\n"),
                     older.out + older.err);
            QCOMPARE(varnoth({"undo", ids[0]}).exitCode, 0);
            QCOMPARE(varnoth({"undo", ids[1]}).out, ids[1] + ": files undone: 9, empty folders removed: 2, left: 0\n");
        } else {
            QCOMPARE(varnoth({"undo"}).out, ids[0] + ": files undone: 9, empty folders removed: 0, left: 0\n");
            QCOMPARE(varnoth({"undo"}).out, ids[1] + ": files undone: 9, empty folders removed: 2, left: 0\n");
        }
        QVERIFY2(SnapshotOf(tree) == before, DifferencesBetween(before, SnapshotOf(tree)).constData());
    }

    // The short ids that the history's eleventh field shows: the first digits of the SHA-1 of the id, as many as tell
    // the runs apart. Two runs whose hashes begin alike get longer ones; a piece that begins both names no run and
    // lists them; a run's own short id, in either case, undoes it.
    void shortIdsTellRunsApart() {
        WriteTestFile(m_dir->filePath(u"tree/in/a.txt"_s), "a");
        QCOMPARE(varnoth({"sort", "--by-type", "--out", "tree/out", "tree/in"}).exitCode, 0);
        const QByteArray sorted = runIds().value(0);
        const auto hashOf = [](const QByteArray& id) {
            return QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex();
        };
        // Two more runs, copies of the journal under ids whose hashes share their first four digits.
        QHash<QByteArray, QByteArray> idOfPrefix{{hashOf(sorted).left(4), sorted}};
        QByteArray alike;
        QByteArray other;
        for (int n = 1; alike.isEmpty(); ++n) {
            const QByteArray id = "20240101T000000.000Z-" + QByteArray::number(n);
            const QByteArray seen = idOfPrefix.value(hashOf(id).left(4));
            if (!seen.isEmpty() && seen != sorted) {
                alike = seen;
                other = id;
            }
            idOfPrefix.insert(hashOf(id).left(4), id);
        }
        const QString runs = m_dir->filePath(u"home/.local/state/Varnoth/runs/"_s);
        for (const QByteArray& id : {alike, other}) {
            QVERIFY(QFile::copy(runs + QString::fromLatin1(sorted) + u".journal"_s,
                                runs + QString::fromLatin1(id) + u".journal"_s));
        }

        QHash<QByteArray, QByteArray> shortIds;
        const CliResult history = varnoth({"history"});
        for (const QByteArray& line : history.out.trimmed().split('\n')) {
            const QByteArrayList fields = line.split('\t');
            QCOMPARE(fields.size(), 14);
            shortIds.insert(fields.first(), fields[10]);
        }
        QCOMPARE(shortIds.size(), 3);
        QCOMPARE(shortIds.value(sorted), hashOf(sorted).left(4));
        for (const QByteArray& id : {alike, other}) {
            const QByteArray shortId = shortIds.value(id);
            QVERIFY2(shortId.size() > 4 && hashOf(id).startsWith(shortId), shortId.constData());
            QVERIFY(!hashOf(id == alike ? other : alike).startsWith(shortId));
        }

        const QByteArray shared = hashOf(alike).left(4);
        const CliResult ambiguous = varnoth({"undo", shared});
        QCOMPARE(ambiguous.exitCode, 2);
        // Newest first; the copies started when the run did, so the greater id comes first.
        const QByteArray newer = std::max(alike, other);
        const QByteArray older = std::min(alike, other);
        QCOMPARE(ambiguous.err, "varnoth: " + shared +
                                    ": more than one run has a short id that begins so; give one of these:\n"
                                    "varnoth:   " +
                                    shortIds.value(newer) + " (" + newer + ")\nvarnoth:   " + shortIds.value(older) +
                                    " (" + older + ")\n");
        QCOMPARE(varnoth({"undo", hashOf(sorted).left(3)}).exitCode, 2);

        const CliResult undo = varnoth({"undo", shortIds.value(sorted).toUpper()});
        QCOMPARE(undo.out, sorted + ": files undone: 1, empty folders removed: 2, left: 0\n");
        QCOMPARE(undo.exitCode, 0);
    }

    // A person reading the history on a terminal gets the names of its fields first; a script reading a pipe gets
    // the runs only.
    void historyHeaderOnlyOnATerminal() {
        WriteTestFile(m_dir->filePath(u"tree/in/a.txt"_s), "a");
        QCOMPARE(varnoth({"sort", "--by-type", "--out", "tree/out", "tree/in"}).exitCode, 0);
        const QByteArray line = varnoth({"history"}).out;
        QVERIFY2(line.count('\n') == 1 && line.startsWith(runIds().value(0) + '\t'), line.constData());
        TerminalProcess terminal(u"" VARNOTH_PROGRAM ""_s, {"history"}, m_dir->path(), m_dir->filePath(u"home"_s));
        if (!terminal.noTerminalReason().isEmpty()) {
            QSKIP(qPrintable(terminal.noTerminalReason()));
        }
        QVERIFY(terminal.waitForOutput("\tcomplete\t"));
        QCOMPARE(terminal.waitForExit(), 0);
        QCOMPARE(terminal.output().replace("\r\n", "\n"),
                 "id\tstart\tcriterion\tmode\tplaced\tleft\tnomatch\tfailed\tstate\tleft by undo\tshort id\tfiltered\t"
                 "identical\torigin\n" +
                     line);
    }

    // The history counts the files the filter passed over apart, in its twelfth field, and nomatch leaves them out;
    // the files of the same bytes as the file at their name come last. A journal written before these were counted
    // apart shows "-" for both, and its nomatch as recorded, which counted the filtered files.
    void filteredFilesAreCountedApart_data() {
        QTest::addColumn<bool>("journaledBefore");
        QTest::addColumn<QByteArray>("nomatch");
        QTest::addColumn<QByteArray>("filtered");
        QTest::newRow("journaled now") << false << QByteArray("0") << QByteArray("1");
        QTest::newRow("journaled before") << true << QByteArray("1") << QByteArray("-");
    }
    void filteredFilesAreCountedApart() {
        QFETCH(bool, journaledBefore);
        QFETCH(QByteArray, nomatch);
        QFETCH(QByteArray, filtered);
        WriteTestFile(m_dir->filePath(u"tree/in/a.txt"_s), "a");
        WriteTestFile(m_dir->filePath(u"tree/in/b.doc"_s), "b");
        QCOMPARE(varnoth({"sort", "--by-type", "--exclude", "doc", "--out", "tree/out", "tree/in"}).exitCode, 0);
        if (journaledBefore) {
            QFile journal(m_dir->filePath(u"home/.local/state/Varnoth/runs/"_s +
                                          QString::fromLatin1(runIds().value(0)) + u".journal"_s));
            QVERIFY(journal.open(QIODevice::ReadWrite));
            QByteArray text = journal.readAll();
            const qsizetype end = text.lastIndexOf("\nend ") + 1;
            QVERIFY(end > 0);
            text.truncate(end);
            text += EndRecord({false, {0, 1, 0, 1}});
            QVERIFY(journal.resize(0) && journal.write(text) == text.size());
        }
        const QByteArrayList fields = varnoth({"history"}).out.chopped(1).split('\t');
        QCOMPARE(fields.size(), 14);
        QCOMPARE(fields.mid(4, 4), (QByteArrayList{"1", "0", nomatch, "0"}));
        QCOMPARE(fields[11], filtered);
        QCOMPARE(fields[12], journaledBefore ? QByteArray("-") : QByteArray("0"));
        QCOMPARE(fields.last(), QByteArray("user"));
    }

    // Damaged journal lines are reported as such; an undo that left nothing still exits 0.
    void damagedLinesAreReportedAsSuch() {
        WriteTestFile(m_dir->filePath(u"tree/in/a.txt"_s), "a");
        QCOMPARE(varnoth({"sort", "--by-type", "--out", "tree/out", "tree/in"}).exitCode, 0);
        const QString runs = m_dir->filePath(u"home/.local/state/Varnoth/runs"_s);
        const QStringList journals = QDir(runs).entryList({u"*.journal"_s});
        QCOMPARE(journals.size(), 1);
        QFile journal(runs + u'/' + journals.first());
        QVERIFY(journal.open(QIODevice::Append));
        journal.write("done n=9 size=1 mtime=1 ino=1 dev=1 #00000000\nintent n=10 transfer=co");
        journal.close();
        const CliResult undo = varnoth({"undo"});
        QCOMPARE(undo.exitCode, 0);
        QVERIFY2(undo.err.endsWith(": 2 damaged journal line(s) could not be read and were skipped\n") &&
                     !undo.err.contains("left"),
                 undo.err.constData());
        QVERIFY(undo.out.endsWith(": files undone: 1, empty folders removed: 2, left: 0\n"));
    }
};

QTEST_GUILESS_MAIN(TestCliHistory)
#include "test_cli_history.moc"

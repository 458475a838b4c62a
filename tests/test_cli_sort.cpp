#include "journal/JournalFolder.h"
#include "journal/JournalReader.h"
#include "testsupport/CliProcess.h"
#include "testsupport/CriteriaInputs.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/OutputTree.h"
#include "testsupport/PermissionBits.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TestImages.h"
#include "testsupport/TmpfsMount.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {
// A path of a --json step, as its exact bytes.
QByteArray jsonPath(const QJsonObject& step, const QString& key) {
    const QJsonValue base64 = step.value(key + u"_base64"_s);
    return base64.isString() ? QByteArray::fromBase64(base64.toString().toLatin1())
                             : step.value(key).toString().toUtf8();
}
} // namespace

// "varnoth sort" as scripts run it: the real program, no display, files checked on disk.
class TestCliSort : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    CliResult sort(const QByteArrayList& arguments, const QByteArray& input = {}) {
        return RunCli(u"" VARNOTH_PROGRAM ""_s, QByteArrayList{"sort"} + arguments, m_dir->path(), path(u"home"_s),
                      input);
    }

private slots:
    void init() { QVERIFY(m_dir.emplace().isValid()); }
    // A name that is not valid UTF-8 is beyond QTemporaryDir's own removal.
    void cleanup() { RemoveTree(QFile::encodeName(m_dir->path())); }

    void criteria_data() {
        QTest::addColumn<QByteArrayList>("options");
        QTest::addColumn<QStringList>("tree");
        const auto row = [](const char* name, const QByteArrayList& options, const QStringList& tree) {
            QTest::newRow(name) << options << tree;
        };
        row("keywords", {"--keywords", "kw cd"}, {u"cd/"_s, u"cd/ab_cd.doc"_s, u"kw/"_s, u"kw/a_kw.txt"_s});
        row("name range and filter", {"--by-name", "--range", "3-1", "--remove", "_*w"},
            {u"ab/"_s, u"ab/ab_cd.doc"_s, u"ak/"_s, u"ak/a_kw.txt"_s, u"b/"_s, u"b/b.doc"_s, u"id/"_s, u"id/wide.png"_s,
             u"nar/"_s, u"nar/narrow.jpg"_s});
        row("type with include", {"--by-type", "--include", "txt,.DOC"},
            {u".doc/"_s, u".doc/ab_cd.doc"_s, u".doc/b.doc"_s, u".txt/"_s, u".txt/a_kw.txt"_s});
        row("type with exclude", {"--by-type", "--exclude", "*.png, jpg,doc"}, {u".txt/"_s, u".txt/a_kw.txt"_s});
        row("larger", {"--larger", "2kb"}, {u"大于2KB/"_s, u"大于2KB/a_kw.txt"_s});
        row("smaller", {"--smaller", "1MB", "--include", "doc"},
            {u"小于1MB/"_s, u"小于1MB/ab_cd.doc"_s, u"小于1MB/b.doc"_s});
        row("before", {"--before", "2022-01-01"}, {u"2022-1-1/"_s, u"2022-1-1/a_kw.txt"_s});
        row("after with time", {"--after", "2023-06-30 23:59:59", "--exclude", "txt"},
            {u"2023-6-30/"_s, u"2023-6-30/ab_cd.doc"_s, u"2023-6-30/b.doc"_s, u"2023-6-30/narrow.jpg"_s,
             u"2023-6-30/wide.png"_s});
        row("width", {"--width", ">=800"}, {u"大于等于800/"_s, u"大于等于800/wide.png"_s});
        row("height of some types", {"--height", "=10", "--picture-types", "jpeg"},
            {u"等于10/"_s, u"等于10/narrow.jpg"_s});
        row("width of today's picture types", {"--width", ">=800", "--picture-types", "png,webp,heic,heif,avif"},
            {u"大于等于800/"_s, u"大于等于800/wide.png"_s});
        row("by date, modified", {"--by-date", "%Y/%m", "--modified", "--include", "txt"},
            {u"2020/"_s, u"2020/01/"_s, u"2020/01/a_kw.txt"_s});
    }
    // Every criterion, from a relative folder PATH (its own files), into the window's folder names.
    void criteria() {
        QFETCH(QByteArrayList, options);
        QFETCH(QStringList, tree);
        QVERIFY(WriteCriteriaInputs(path(u"in"_s)));
        const QStringList before = TreeOf(path(u"in"_s));
        const CliResult result = sort(options + QByteArrayList{"--out", "out", "in"});
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(TreeOf(path(u"out"_s)), tree);
        QCOMPARE(TreeOf(path(u"in"_s)), before);
    }

    void policies_data() {
        QTest::addColumn<QByteArrayList>("options");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("sourceKept");
        QTest::addColumn<QByteArray>("summary");
        QTest::newRow("default skips") << QByteArrayList{} << QStringList{u"a.txt"_s} << QByteArray("old") << true
                                       << QByteArray("0 failed, 0 placed, 1 left");
        QTest::newRow("skip") << QByteArrayList{"--on-conflict", "skip", "--move"} << QStringList{u"a.txt"_s}
                              << QByteArray("old") << true << QByteArray("0 failed, 0 placed, 1 left");
        QTest::newRow("overwrite") << QByteArrayList{"--on-conflict", "overwrite"} << QStringList{u"a.txt"_s}
                                   << QByteArray("new") << true << QByteArray("0 failed, 1 placed, 0 left");
        QTest::newRow("overwrite and move")
            << QByteArrayList{"--on-conflict=overwrite", "--move"} << QStringList{u"a.txt"_s} << QByteArray("new")
            << false << QByteArray("0 failed, 1 placed, 0 left");
        QTest::newRow("number") << QByteArrayList{"--on-conflict", "number"} << QStringList{u"a.txt"_s, u"a_1.txt"_s}
                                << QByteArray("old") << true << QByteArray("0 failed, 1 placed, 0 left");
    }
    void policies() {
        QFETCH(QByteArrayList, options);
        QFETCH(QStringList, out);
        QFETCH(QByteArray, content);
        QFETCH(bool, sourceKept);
        QFETCH(QByteArray, summary);
        WriteTestFile(path(u"in/a.txt"_s), "new");
        WriteTestFile(path(u"out/.txt/a.txt"_s), "old");
        const CliResult result = sort(options + QByteArrayList{"--by-type", "--out", "out", "in/a.txt"});
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.startsWith(summary), result.out.constData());
        QCOMPARE(EntriesOf(path(u"out/.txt"_s)), out);
        QCOMPARE(ReadTestFile(path(u"out/.txt/a.txt"_s)), content);
        QCOMPARE(QFile::exists(path(u"in/a.txt"_s)), sourceKept);
    }

    void badInput_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("named");
        const auto row = [](const char* name, const QByteArrayList& arguments, const QByteArray& named) {
            QTest::newRow(name) << arguments << named;
        };
        const QByteArrayList out{"--out", "out", "in"};
        row("unknown option", QByteArrayList{"--by-type", "--bogus"} + out, "'bogus'");
        row("no criterion", out, "exactly one of");
        row("two criteria", QByteArrayList{"--larger", "1KB", "--smaller", "5KB"} + out, "--larger, --smaller");
        row("width and height", QByteArrayList{"--width", "=1", "--height", "=1"} + out, "--width, --height");
        row("missing --out", {"--by-type", "in"}, "--out");
        row("--out twice", QByteArrayList{"--by-type", "--out", "o2"} + out, "--out: given more than once");
        row("-o and --out", QByteArrayList{"--by-type", "-o", "o2"} + out, "--out: given more than once");
        row("-q and --quiet", QByteArrayList{"--by-type", "-q", "--quiet"} + out, "--quiet: given more than once");
        row("no input at all", {"--by-type", "-o", "out"}, "no input files; give paths, --list, --scan or --stdin");
        row("--out is a file", {"--by-type", "--out", "in/a.txt", "in"}, "--out");
        row("size in GB", QByteArrayList{"--larger", "10GB"} + out, "--larger");
        row("size not a number", QByteArrayList{"--smaller", "abc"} + out, "--smaller");
        row("size with a point", QByteArrayList{"--larger", "1.5KB"} + out, "--larger");
        row("size past 64 bits", QByteArrayList{"--larger", "9007199254740992KB"} + out, "--larger");
        row("negative size", QByteArrayList{"--larger", "-5KB"} + out, "--larger: expected a whole number");
        row("size minus zero", QByteArrayList{"--smaller", "-0MB"} + out, "--smaller: expected a whole number");
        row("month 13", QByteArrayList{"--before", "2024-13-01"} + out, "--before");
        row("time 25:00", QByteArrayList{"--after", "2024-01-01 25:00"} + out, "--after");
        row("pixels without condition", QByteArrayList{"--width", "800"} + out, "--width");
        row("pixels past 32 bits", QByteArrayList{"--height", ">=2147483648"} + out, "--height");
        row("negative pixels", QByteArrayList{"--width", ">=-1"} + out, "--width: expected >=N");
        row("negative pixels, exactly", QByteArrayList{"--height", "=-800"} + out, "--height: expected >=N");
        row("unknown picture type", QByteArrayList{"--width", "=1", "--picture-types", "tiff"} + out,
            "--picture-types");
        row("range without end", QByteArrayList{"--by-name", "--range", "1"} + out, "--range");
        row("a date pattern without a token", QByteArrayList{"--by-date", "photos"} + out, "--by-date: ");
        row("a date pattern with an empty level", QByteArrayList{"--by-date", "%Y//%m"} + out, "--by-date: ");
        row("a date pattern going up", QByteArrayList{"--by-date", "../%Y"} + out, "--by-date: ");
        row("an empty date pattern", QByteArrayList{"--by-date", ""} + out, "--by-date: ");
        row("two times", QByteArrayList{"--before", "2020-01-01", "--created", "--taken"} + out, "--created, --taken");
        row("taken with --by-date", QByteArrayList{"--by-date", "%Y", "--taken"} + out, "--taken: only with");
        row("modified without a date", QByteArrayList{"--by-type", "--modified"} + out, "--modified: only with");
        row("range without --by-name", QByteArrayList{"--by-type", "--range", "1-2"} + out, "--range: only with");
        row("blank keywords", QByteArrayList{"--keywords", " \t "} + out, "--keywords");
        row("keywords not UTF-8", QByteArrayList{"--keywords", "a\xff"} + out,
            "--keywords: expected keywords in valid UTF-8");
        row("include and exclude", QByteArrayList{"--by-type", "--include", "a", "--exclude", "b"} + out,
            "--include, --exclude");
        row("empty extension", QByteArrayList{"--by-type", "--include", "jpg,,png"} + out, "--include");
        row("unknown policy", QByteArrayList{"--by-type", "--on-conflict", "rename"} + out, "--on-conflict");
        row("ask without a terminal", QByteArrayList{"--by-type", "--on-conflict", "ask"} + out, "--on-conflict ask");
        row("negative depth", {"--by-type", "--out", "out", "--scan", "in", "--depth", "-1"}, "--depth");
        row("depth without scan", QByteArrayList{"--by-type", "--depth", "1"} + out, "--depth: only with");
        row("null without stdin", QByteArrayList{"--by-type", "-0"} + out, "--null: only with");
        row("missing path", {"--by-type", "--out", "out", "in", "nowhere\n"}, "nowhere\\n: no such file");
        row("missing list file", {"--by-type", "--out", "out", "--list", "none.lst"}, "--list none.lst");
        row("scan of a file", {"--by-type", "--out", "out", "--scan", "in/a.txt"}, "--scan in/a.txt");
    }
    // One line naming what is wrong, exit status 2, and nothing made or moved.
    void badInput() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, named);
        WriteTestFile(path(u"in/a.txt"_s), "a");
        const CliResult result = sort(arguments + QByteArrayList{"--move"});
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.startsWith("varnoth: ") && result.err.count('\n') == 1, result.err.constData());
        QVERIFY2(result.err.contains(named), result.err.constData());
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(TreeOf(m_dir->path()), QStringList({u"in/"_s, u"in/a.txt"_s}));
    }

    // Inputs given on purpose that hold no file sort nothing, and that is no error: a script that found nothing
    // goes on.
    void inputsThatHoldNothing_data() {
        QTest::addColumn<QByteArrayList>("inputs");
        QTest::newRow("an empty folder") << QByteArrayList{"empty"};
        QTest::newRow("an empty folder to scan") << QByteArrayList{"--scan", "empty"};
        QTest::newRow("an empty list file") << QByteArrayList{"--list", "empty.lst"};
        QTest::newRow("empty standard input") << QByteArrayList{"--stdin"};
    }
    void inputsThatHoldNothing() {
        QFETCH(QByteArrayList, inputs);
        MakeFolder(QFile::encodeName(path(u"empty"_s)));
        WriteTestFile(path(u"empty.lst"_s), "");
        const CliResult result = sort(QByteArrayList{"--by-type", "--out", "out"} + inputs);
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.out,
                 QByteArray("0 failed, 0 placed, 0 left as they were, 0 identical, 0 filtered, 0 not matching\n"));
        QCOMPARE(result.exitCode, 0);
    }

    void shortOptions_data() {
        QTest::addColumn<QByteArrayList>("options");
        QTest::addColumn<QByteArray>("out"); // %1 stands for the test's folder
        QTest::addColumn<bool>("sorted");
        const QByteArray summary = "0 failed, 1 placed, 0 left as they were, 0 identical, 0 filtered, 0 not matching\n";
        const QByteArray plan = "copy\t%1/in/a.txt\t%1/out/.txt/a.txt\t\n";
        QTest::newRow("-o") << QByteArrayList{"-o", "out"} << summary << true;
        QTest::newRow("-o with its value joined") << QByteArrayList{"-oout"} << summary << true;
        QTest::newRow("-q") << QByteArrayList{"-q", "--out", "out"} << QByteArray() << true;
        QTest::newRow("-n")
            << QByteArrayList{"-n", "--out=out"}
            << plan + "plan: 0 to fail, 1 to place, 0 to leave as they are, 0 identical, 0 filtered, 0 not "
                      "matching; nothing was touched\n"
            << false;
        QTest::newRow("-n and -q joined, then -o") << QByteArrayList{"-nq", "-o", "out"} << plan << false;
    }
    // -o, -n and -q are --out, --dry-run and --quiet.
    void shortOptions() {
        QFETCH(QByteArrayList, options);
        QFETCH(QByteArray, out);
        QFETCH(bool, sorted);
        WriteTestFile(path(u"in/a.txt"_s), "a");
        const CliResult result = sort(QByteArrayList{"--by-type"} + options + QByteArrayList{"in/a.txt"});
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.out, QByteArray(out).replace("%1", QFile::encodeName(m_dir->path())));
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(QFile::exists(path(u"out/.txt/a.txt"_s)), sorted);
    }

    // A folder that cannot be read, given or met by a scan, is named on standard error and left out: the run goes
    // on with what could be read and exits 1, or exits 2 with nothing touched when nothing could be read at all.
    void unreadableFolders_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArrayList>("named"); // on standard error
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("tree");
        const QByteArray locked = "in/deep/sub/locked: cannot read: Permission denied";
        const QByteArray lone = "lone: cannot read: Permission denied";
        const QStringList both{u".txt/"_s, u".txt/a.txt"_s, u".txt/c.txt"_s};
        QTest::newRow("a locked folder deep in a scan")
            << QByteArrayList{"--scan", "in"} << QByteArrayList{locked} << 1 << both;
        QTest::newRow("a path past PATH_MAX in a scan")
            << QByteArrayList{"--scan", "long", "in/a.txt"} << QByteArrayList{": cannot read: File name too long"} << 1
            << QStringList{u".txt/"_s, u".txt/a.txt"_s};
        QTest::newRow("a locked folder beside a file") << QByteArrayList{"in/a.txt", "lone"} << QByteArrayList{lone}
                                                       << 1 << QStringList{u".txt/"_s, u".txt/a.txt"_s};
        QTest::newRow("a locked folder beside an empty one")
            << QByteArrayList{"empty", "lone"} << QByteArrayList{lone} << 1 << QStringList();
        QTest::newRow("a dry run") << QByteArrayList{"--dry-run", "--scan", "in"} << QByteArrayList{locked} << 1
                                   << QStringList();
        QTest::newRow("only a locked folder")
            << QByteArrayList{"lone"} << QByteArrayList{lone, "nothing to sort could be read"} << 2 << QStringList();
        QTest::newRow("only a locked folder to scan")
            << QByteArrayList{"--scan", "lone"} << QByteArrayList{lone, "nothing to sort could be read"} << 2
            << QStringList();
    }
    void unreadableFolders() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArrayList, named);
        QFETCH(int, exitCode);
        QFETCH(QStringList, tree);
        const QByteArray root = QFile::encodeName(m_dir->path());
        WriteTestFile(path(u"in/a.txt"_s), "a");
        WriteTestFile(path(u"in/deep/c.txt"_s), "c");
        WriteTestFile(path(u"in/deep/sub/locked/b.txt"_s), "b");
        WriteTestFile(path(u"lone/d.txt"_s), "d");
        MakeFolder(root + "/empty");
        MakeFolder(root + "/long");
        MakeDeepFile(root + "/long", 20, "e.txt");
        SetMode(root + "/in/deep/sub/locked", 0);
        SetMode(root + "/lone", 0);
        const auto unlock = qScopeGuard([&] {
            SetMode(root + "/in/deep/sub/locked", 0755);
            SetMode(root + "/lone", 0755);
        });
        const PermissionBoundCommand command = BindPermissions(u"" VARNOTH_PROGRAM ""_s);
        if (!command.reason.isEmpty()) {
            QSKIP(qPrintable(command.reason));
        }
        const CliResult result =
            RunCli(command.program, command.arguments + QByteArrayList{"sort", "--by-type", "--out", "out"} + arguments,
                   m_dir->path(), path(u"home"_s));
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.err.count('\n'), named.size());
        for (const QByteArray& line : named) {
            QVERIFY2(result.err.contains(line), result.err.constData());
        }
        QCOMPARE(TreeOf(path(u"out"_s)), tree);
    }

    // A journal folder that cannot be made: exit status 2 with nothing touched, unless --no-journal.
    void journalFolderNotWritable_data() {
        QTest::addColumn<QByteArrayList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("journaled") << QByteArrayList{} << 2;
        QTest::newRow("--no-journal") << QByteArrayList{"--no-journal"} << 0;
    }
    void journalFolderNotWritable() {
        QFETCH(QByteArrayList, options);
        QFETCH(int, exitCode);
        WriteTestFile(path(u"in/a.txt"_s), "a");
        WriteTestFile(path(u"home/.local/state"_s), "a file where the folder would be");
        const CliResult result = sort(options + QByteArrayList{"--by-type", "--move", "--out", "out", "in"});
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.err.contains("--no-journal"), exitCode == 2);
        QCOMPARE(QFile::exists(path(u"in/a.txt"_s)), exitCode == 2);
        QCOMPARE(QFile::exists(path(u"out"_s)), exitCode == 0);
    }

    // A name that is not UTF-8, given as an argument, reaches the file exactly and fails on a write-protected target:
    // exit 1, the reason on standard error with the name escaped, and JSON lines only on standard output, whose
    // base64 gives the name back exactly.
    void jsonWithFailure() {
        const QByteArray root = QFile::encodeName(m_dir->path());
        const QByteArray name = "na\xffme.txt";
        MakeFolder(root + "/in");
        MakeFile(root + "/in/" + name, "new");
        MakeFile(root + "/in/ok.txt", "ok");
        MakeFolder(root + "/out");
        MakeFolder(root + "/out/.txt");
        MakeFile(root + "/out/.txt/" + name, "old");
        SetMode(root + "/out/.txt/" + name, 0444);
        const CliResult result =
            sort({"--by-type", "--on-conflict", "overwrite", "--json", "--out", "out", "in/" + name, "in/ok.txt"});
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains("na\\xFFme.txt: write-protected"), result.err.constData());
        QByteArrayList lines = result.out.split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        QCOMPARE(
            lines.takeLast(),
            QByteArray(
                R"({"summary": {"placed": 1, "left": 0, "identical": 0, "nomatch": 0, "failed": 1, "filtered": 0}})"));
        QCOMPARE(lines.size(), 2);
        const QJsonObject failed = QJsonDocument::fromJson(lines.first()).object();
        QCOMPARE(failed.value(u"action"_s).toString(), u"replace"_s);
        QCOMPARE(failed.value(u"result"_s).toString(), u"failed"_s);
        QCOMPARE(failed.value(u"error"_s).toString(), u"write-protected"_s);
        QCOMPARE(QByteArray::fromBase64(failed.value(u"source_base64"_s).toString().toLatin1()), root + "/in/" + name);
        const QJsonObject done = QJsonDocument::fromJson(lines.last()).object();
        QCOMPARE(done.value(u"destination"_s).toString(), QString::fromUtf8(root + "/out/.txt/ok.txt"));
        QCOMPARE(done.value(u"action"_s).toString(), u"copy"_s);
        QCOMPARE(done.value(u"result"_s).toString(), u"done"_s);
        QVERIFY(done.value(u"error"_s).isNull());
    }

    // A destination folder that cannot be made says why, with the error of its mkdir: a folder that may not be
    // written, a read-only file system. The moved file stays where it was.
    void aFolderThatCannotBeMadeSaysWhy_data() {
        QTest::addColumn<bool>("readOnlyFileSystem");
        QTest::newRow("a folder that may not be written") << false;
        QTest::newRow("a read-only file system") << true;
    }
    void aFolderThatCannotBeMadeSaysWhy() {
        QFETCH(bool, readOnlyFileSystem);
        WriteTestFile(path(u"in/a.txt"_s), "a");
        MakeFolder(QFile::encodeName(path(u"locked"_s)), 0555);
        std::optional<TmpfsMount> readOnly;
        if (readOnlyFileSystem) {
            readOnly.emplace(QFile::encodeName(path(u"locked"_s)), 1 << 20, true);
            if (!readOnly->mounted()) {
                QSKIP(qPrintable(readOnly->reason()));
            }
        }
        const PermissionBoundCommand command = BindPermissions(u"" VARNOTH_PROGRAM ""_s);
        if (!command.reason.isEmpty()) {
            QSKIP(qPrintable(command.reason));
        }
        const CliResult result =
            RunCli(command.program,
                   command.arguments + QByteArrayList{"sort", "--by-type", "--move", "--out", "locked/out", "in/a.txt"},
                   m_dir->path(), path(u"home"_s));
        QCOMPARE(result.exitCode, 1);
        const QByteArray reason = qt_error_string(readOnlyFileSystem ? EROFS : EACCES).toUtf8();
        QVERIFY2(result.err.contains("a.txt: no-folder (" + reason + ")\n"), result.err.constData());
        QCOMPARE(ReadTestFile(path(u"in/a.txt"_s)), QByteArray("a"));
    }

    void dryRun_data() {
        QTest::addColumn<QByteArrayList>("options");
        QTest::newRow("type, skip") << QByteArrayList{"--by-type"};
        QTest::newRow("keywords, move, number")
            << QByteArrayList{"--keywords", "a b", "--move", "--on-conflict=number"};
        QTest::newRow("name, overwrite, filter")
            << QByteArrayList{"--by-name", "--on-conflict", "overwrite", "--exclude", "doc"};
        QTest::newRow("size, move, overwrite")
            << QByteArrayList{"--smaller", "1KB", "--move", "--on-conflict=overwrite"};
    }
    // A dry run touches nothing, and its steps are the real run's, in its order, and its acting steps the actions
    // the run journals: two files of one name from two folders, names taken in the output folder, a filter and a
    // name that is not UTF-8, whose exact bytes the JSON gives back.
    void dryRun() {
        QFETCH(QByteArrayList, options);
        const QByteArray root = QFile::encodeName(m_dir->path());
        for (const char* folder : {"/in", "/in/x", "/in/y", "/out", "/out/.txt"}) {
            MakeFolder(root + folder);
        }
        for (const QByteArray file : {"/in/x/a.txt", "/in/y/a.txt", "/in/b a.doc", "/in/x/n\xff.txt"}) {
            MakeFile(root + file, file);
        }
        MakeFile(root + "/out/.txt/a.txt", "old");
        const QByteArrayList arguments = options + QByteArrayList{"--out", "out", "--scan", "in"};
        const QStringList before = TreeOf(m_dir->path());
        const CliResult text = sort(arguments + QByteArrayList{"--dry-run"});
        const CliResult plan = sort(arguments + QByteArrayList{"--dry-run", "--json"});
        QCOMPARE(plan.exitCode, 0);
        QCOMPARE(TreeOf(m_dir->path()), before);
        const CliResult run = sort(arguments + QByteArrayList{"--json"});
        QCOMPARE(run.exitCode, 0);

        QByteArrayList planned = plan.out.split('\n');
        QByteArrayList done = run.out.split('\n');
        QCOMPARE(planned.size(), done.size());
        QCOMPARE(planned.size(), text.out.count('\n') + 1);
        QVERIFY2(text.out.contains("/n\\xFF.txt\t"), text.out.constData());
        bool nonUtf8Seen = false;
        QByteArrayList acting;
        for (qsizetype i = 0; i < planned.size() - 2; ++i) {
            const QJsonObject plannedStep = QJsonDocument::fromJson(planned[i]).object();
            const QString action = plannedStep.value(u"action"_s).toString();
            if (QStringList{u"copy"_s, u"move"_s, u"replace"_s, u"number"_s}.contains(action)) {
                acting.append(action.toLatin1() + ' ' + jsonPath(plannedStep, u"source"_s) + ' ' +
                              jsonPath(plannedStep, u"destination"_s));
            }
            QJsonObject step = QJsonDocument::fromJson(done[i]).object();
            QCOMPARE(step.take(u"result"_s).toString(), u"done"_s);
            step.remove(u"error"_s);
            QCOMPARE(plannedStep, step);
            QCOMPARE(text.out.split('\n')[i].count('\t'), 3);
            const QByteArray base64 = step.value(u"source_base64"_s).toString().toLatin1();
            nonUtf8Seen = nonUtf8Seen || QByteArray::fromBase64(base64) == root + "/in/x/n\xff.txt";
        }
        QVERIFY(nonUtf8Seen);
        const JournalFolder journals(root + "/home/.local/state/Varnoth/runs");
        QFile journal(QFile::decodeName(journals.journalPath(journals.runIds().value(0))));
        QVERIFY(journal.open(QIODevice::ReadOnly));
        QByteArrayList journaled;
        for (const JournalStep& step : ParseJournal(journal.readAll()).steps) {
            // A placement the same-name policy declined is journaled as a step that did not happen.
            if (!step.isFolder && !step.failed) {
                journaled.append(PlacementCode(step.transfer, step.nameUse) + (' ' + step.source) + ' ' + step.target);
            }
        }
        QCOMPARE(journaled, acting);
        QCOMPARE(planned[planned.size() - 2], done[done.size() - 2]);
        QVERIFY2(text.out.split('\n').at(planned.size() - 2).startsWith("plan: "), text.out.constData());
    }

    // Each step that does not act says why, as the preview words it: the fourth field of a dry run's line and the
    // reason_detail of its JSON. The file is in/<name>; a "picture" is 640 × 20 pixels; a file modified on
    // 4 March 2021 at 10:00; out/.txt/a.txt is there before the run.
    void dryRunReasons_data() {
        QTest::addColumn<QByteArrayList>("options");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("action");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* title, const QByteArrayList& options, const QString& name, const char* action,
                            const QString& reason) {
            QTest::newRow(title) << options << name << QByteArray(action) << reason;
        };
        row("no keyword", {"--keywords", "zz yy"}, u"a.txt"_s, "nomatch", u"the name holds none of the keywords"_s);
        row("not among the types to sort", {"--by-type", "--include", "doc,png"}, u"a.txt"_s, "filtered",
            u"type .txt is not among the types to sort"_s);
        row("among the types not to sort", {"--by-type", "--exclude", "txt"}, u"a.txt"_s, "filtered",
            u"type .txt is among the types not to sort"_s);
        row("no extension, types to sort", {"--by-type", "--include", "txt"}, u"README"_s, "filtered",
            u"type (no extension) is not among the types to sort"_s);
        row("a picture type not chosen", {"--width", ">=1", "--picture-types", "jpg,gif"}, u"picture.png"_s, "filtered",
            u"type .png is not among the ticked picture types"_s);
        row("too narrow", {"--width", ">=1920"}, u"picture.png"_s, "nomatch", u"width 640 < 1920"_s);
        row("too wide", {"--width", "<=600"}, u"picture.png"_s, "nomatch", u"width 640 > 600"_s);
        row("not that high", {"--height", "=10"}, u"picture.png"_s, "nomatch", u"height 20 ≠ 10"_s);
        row("not a picture", {"--width", ">=1920"}, u"text.png"_s, "nomatch",
            u"not a picture file (its size cannot be read)"_s);
        row("not larger", {"--larger", "1KB"}, u"a.txt"_s, "nomatch", u"size 3 bytes ≤ 1024 bytes"_s);
        row("not smaller", {"--smaller", "0KB"}, u"a.txt"_s, "nomatch", u"size 3 bytes ≥ 0 bytes"_s);
        row("modified later", {"--before", "2013-05-06"}, u"a.txt"_s, "nomatch",
            u"modification time 2021-3-4 is later than 2013-5-6"_s);
        row("modified earlier the same day", {"--after", "2021-03-04 12:00"}, u"a.txt"_s, "nomatch",
            u"modification time 2021-3-4 10:00:00 is earlier than 2021-3-4 12:00:00"_s);
        row("no such folder yet", {"--by-name", "--existing-folders-only"}, u"a.txt"_s, "nomatch",
            u"the output folder holds no folder a (only existing folders are sorted into)"_s);
        row("a name outside the output folder", {"--by-name"}, u"..."_s, "nomatch",
            u"the folder name taken from the file name is \"..\", which is not inside the output folder"_s);
        row("skipped", {"--by-type"}, u"a.txt"_s, "skip", u"a file of the same name is at the destination"_s);
        row("asked", {"--by-type", "--on-conflict", "ask"}, u"a.txt"_s, "ask",
            u"a file of the same name is at the destination"_s);
    }
    void dryRunReasons() {
        QFETCH(QByteArrayList, options);
        QFETCH(QString, name);
        QFETCH(QByteArray, action);
        QFETCH(QString, reason);
        const QString file = path(u"in/"_s + name);
        if (name.startsWith(u"picture"_s)) {
            QVERIFY(WriteTestImage(file, "png", 640, 20));
        } else {
            WriteTestFile(file, "abc");
        }
        QVERIFY(SetModificationTime(file, QDateTime(QDate(2021, 3, 4), QTime(10, 0))));
        WriteTestFile(path(u"out/.txt/a.txt"_s), "old");
        const QByteArrayList arguments = options + QByteArrayList{"--dry-run", "--out", "out", "in/" + name.toUtf8()};
        const CliResult text = sort(arguments);
        QCOMPARE(text.exitCode, 0);
        const QByteArrayList fields = text.out.split('\n').first().split('\t');
        QCOMPARE(fields.size(), 4);
        QCOMPARE(fields[0], action);
        QCOMPARE(QString::fromUtf8(fields[3]), reason);
        const CliResult json = sort(arguments + QByteArrayList{"--json"});
        const QJsonObject step = QJsonDocument::fromJson(json.out.split('\n').first()).object();
        QCOMPARE(step.value(u"action"_s).toString().toUtf8(), action);
        QCOMPARE(step.value(u"reason_detail"_s).toString(), reason);
        QVERIFY(step.value(u"reason"_s).isNull());
    }

    // --changes-only (-c) leaves out the steps that change nothing (a skip, a filtered file), in a plan's lines and
    // in the JSON of a plan and of a run; the summary still counts every listed file.
    void changesOnly_data() {
        QTest::addColumn<QByteArrayList>("options");
        QTest::addColumn<QByteArray>("out"); // %1 stands for the test's folder
        const QByteArray copy = R"({"source": "%1/in/a.txt", "destination": "%1/out/.txt/a.txt", "action": "copy", )"
                                R"("reason": null, "reason_detail": null)";
        const QByteArray summary =
            R"({"summary": {"placed": 1, "left": 1, "identical": 0, "nomatch": 0, "failed": 0, "filtered": 1}})"
            "\n";
        QTest::newRow("a plan, -c")
            << QByteArrayList{"--dry-run", "-c"}
            << QByteArray("copy\t%1/in/a.txt\t%1/out/.txt/a.txt\t\n"
                          "plan: 0 to fail, 1 to place, 1 to leave as they are, 0 identical, 1 filtered, "
                          "0 not matching; nothing was touched\n");
        QTest::newRow("a plan in JSON, --changes-only")
            << QByteArrayList{"--dry-run", "--json", "--changes-only"} << copy + "}\n" + summary;
        QTest::newRow("a run in JSON, -c")
            << QByteArrayList{"--json", "-c"} << copy + R"(, "result": "done", "error": null})" + "\n" + summary;
    }
    void changesOnly() {
        QFETCH(QByteArrayList, options);
        QFETCH(QByteArray, out);
        WriteTestFile(path(u"in/a.txt"_s), "a");
        WriteTestFile(path(u"in/b.txt"_s), "b");
        WriteTestFile(path(u"in/c.doc"_s), "c");
        WriteTestFile(path(u"out/.txt/b.txt"_s), "old");
        const CliResult result = sort(options + QByteArrayList{"--by-type", "--exclude", "doc", "--out", "out",
                                                               "in/a.txt", "in/b.txt", "in/c.doc"});
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray(out).replace("%1", QFile::encodeName(m_dir->path())));
    }

    // --skip-identical in move mode: of two listed files of the same bytes for one name the second stays where it
    // is, named on standard error, and its step names the first; a later run finds the bytes at the destination.
    // A file of the same size but other bytes is still left by the policy.
    void identicalFilesStayWhereTheyAre() {
        const QByteArray first = WriteTestFile(path(u"in/a/x.txt"_s), "same");
        const QByteArray second = WriteTestFile(path(u"in/b/x.txt"_s), "same");
        const QByteArray other = WriteTestFile(path(u"in/c/x.txt"_s), "diff");
        const CliResult run =
            sort({"--by-type", "--move", "--skip-identical", "--json", "--out", "out", first, second, other});
        QCOMPARE(run.exitCode, 0);
        const QByteArrayList lines = run.out.split('\n');
        const QJsonObject identical = QJsonDocument::fromJson(lines[1]).object();
        QCOMPARE(identical.value(u"action"_s).toString(), u"identical"_s);
        QCOMPARE(identical.value(u"reason_detail"_s).toString(),
                 u"Same contents as %1"_s.arg(QString::fromUtf8(first)));
        QCOMPARE(QJsonDocument::fromJson(lines[2]).object().value(u"action"_s).toString(), u"skip"_s);
        QCOMPARE(lines[3], R"({"summary": {"placed": 1, "left": 1, "identical": 1, "nomatch": 0, "failed": 0, )"
                           R"("filtered": 0}})");
        QCOMPARE(run.err, "varnoth: " + second +
                              ": not moved; a file of the same contents already holds its name, so it stays where it "
                              "is\n");
        QCOMPARE(ReadTestFile(path(u"in/b/x.txt"_s)), QByteArray("same"));
        QVERIFY(!QFileInfo::exists(path(u"in/a/x.txt"_s)));

        const CliResult plan = sort({"--by-type", "--skip-identical", "--dry-run", "--out", "out", second});
        QCOMPARE(plan.out.split('\n').first(), "identical\t" + second + '\t' +
                                                   QFile::encodeName(path(u"out/.txt/x.txt"_s)) +
                                                   "\tA file with the same contents is already at the destination");
    }

    // find -print0 piped in: names with line breaks and spaces arrive whole; a folder line adds its own files.
    void standardInputNulSeparated() {
        WriteTestFile(path(u"in/a b.txt"_s), "1");
        WriteTestFile(path(u"in/line\nbreak.txt"_s), "2");
        WriteTestFile(path(u"in/sub/c.doc"_s), "3");
        const QByteArray command =
            "cd in && find . -print0 | '" VARNOTH_PROGRAM "' sort --stdin -0 --by-type --out ../out";
        const CliResult result = RunCli(u"/bin/sh"_s, {"-c", command}, m_dir->path(), path(u"home"_s));
        QCOMPARE(result.exitCode, 0);
        // Standard error is no terminal: no progress.
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.out,
                 QByteArray("0 failed, 3 placed, 0 left as they were, 0 identical, 0 filtered, 0 not matching\n"));
        QCOMPARE(TreeOf(path(u"out"_s)),
                 QStringList({u".doc/"_s, u".doc/c.doc"_s, u".txt/"_s, u".txt/a b.txt"_s, u".txt/line\nbreak.txt"_s}));
    }

    // On a terminal: progress, the question answered per file, and SIGTERM while it waits: exit 143, the file not
    // replaced and the next one not reached.
    void questionsOnTerminal() {
        for (const QString& name : {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s}) {
            WriteTestFile(path(u"in/"_s + name), name == u"b.txt"_s ? "old" : "new");
            WriteTestFile(path(u"out/.txt/"_s + name), "old");
        }
        TerminalProcess terminal(
            u"" VARNOTH_PROGRAM ""_s,
            {"sort", "--by-type", "--on-conflict", "ask", "--out", "out", "in/a.txt", "in/b.txt", "in/c.txt"},
            m_dir->path(), path(u"home"_s));
        if (!terminal.noTerminalReason().isEmpty()) {
            QSKIP(qPrintable(terminal.noTerminalReason()));
        }
        QVERIFY(terminal.waitForOutput("0 of 3 files"));
        QVERIFY(terminal.waitForOutput("a.txt exists. Replace it?"));
        // The evidence comes first: both files' sizes, where the new one comes from, and whether they are the same.
        const QByteArray from = QFile::encodeName(path(u"in/a.txt"_s));
        QVERIFY2(terminal.output().contains("  existing: 3 bytes, modified ") &&
                     terminal.output().contains("\r\n            from " + from + "\r\n  different contents\r\n"),
                 terminal.output().constData());
        terminal.type("y\n");
        QVERIFY(terminal.waitForOutput("b.txt exists. Replace it?"));
        QVERIFY(terminal.output().contains("  identical contents\r\n"));
        terminal.sendSignal(SIGTERM);
        QCOMPARE(terminal.waitForExit(), 128 + SIGTERM);
        QCOMPARE(ReadTestFile(path(u"out/.txt/a.txt"_s)), QByteArray("new"));
        QCOMPARE(ReadTestFile(path(u"out/.txt/b.txt"_s)), QByteArray("old"));
        QVERIFY2(!terminal.output().contains("c.txt exists"), terminal.output().constData());
    }

    // The taken date: a file that records none goes by its modification time, and each such file is named.
    void takenDatesFallBackToTheModificationTime_data() {
        QTest::addColumn<QByteArrayList>("options");
        QTest::addColumn<QStringList>("tree");
        QTest::newRow("by date") << QByteArrayList{"--by-date", "%Y"} << QStringList{u"2020/"_s, u"2020/a.txt"_s};
        QTest::newRow("before, taken") << QByteArrayList{"--before", "2021-01-01", "--taken"}
                                       << QStringList{u"2021-1-1/"_s, u"2021-1-1/a.txt"_s};
    }
    void takenDatesFallBackToTheModificationTime() {
        QFETCH(QByteArrayList, options);
        QFETCH(QStringList, tree);
        WriteTestFile(path(u"in/a.txt"_s), "a");
        QVERIFY(SetModificationTime(path(u"in/a.txt"_s), QDateTime(QDate(2020, 1, 1), QTime(12, 0))));
        const CliResult result = sort(options + QByteArrayList{"--out", "out", "in"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(TreeOf(path(u"out"_s)), tree);
        QCOMPARE(result.err, "varnoth: " + QFile::encodeName(path(u"in/a.txt"_s)) +
                                 ": no taken date; its modification time was used\n");
        const CliResult history = RunCli(u"" VARNOTH_PROGRAM ""_s, {"history"}, m_dir->path(), path(u"home"_s));
        QVERIFY2(history.out.contains(options.first() == "--by-date" ? "\tdate-folders\t" : "\tdate\t"),
                 history.out.constData());
    }

    void helpAndVersion() {
        const CliResult help = RunCli(u"" VARNOTH_PROGRAM ""_s, {"--help"}, m_dir->path(), path(u"home"_s));
        QCOMPARE(help.exitCode, 0);
        for (const char* option :
             {"--keywords",  "--by-name",     "--range",       "--remove",        "--existing-folders-only",
              "--by-type",   "--larger",      "--smaller",     "--before",        "--after",
              "--created",   "--width",       "--height",      "--picture-types", "-o, --out DIR",
              "--move",      "--on-conflict", "--include",     "--exclude",       "--list",
              "--scan",      "--depth",       "--stdin",       "-0, --null",      "--json",
              "-q, --quiet", "--no-journal",  "-V, --version", "-n, --dry-run",   "-c, --changes-only",
              "--by-date",   "--taken",       "--modified"}) {
            QVERIFY2(help.out.contains(QByteArray("\n  ") + option + ' '), option);
        }
        QVERIFY(help.out.endsWith(".\n"));
        const CliResult version = RunCli(u"" VARNOTH_PROGRAM ""_s, {"--version"}, m_dir->path(), path(u"home"_s));
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QByteArray("varnoth " VARNOTH_VERSION "\n"));
    }
};

QTEST_GUILESS_MAIN(TestCliSort)
#include "test_cli_sort.moc"

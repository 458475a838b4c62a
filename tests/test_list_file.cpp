#include "filelist/FileListModel.h"
#include "filelist/ListFile.h"
#include "testsupport/CountingScanHost.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/FsErrorOutput.h"
#include "testsupport/PermissionBits.h"
#include "testsupport/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <climits>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using Fs::Operation;
Q_DECLARE_METATYPE(Fs::Error)

namespace {

mode_t modeOf(const QByteArray& path) {
    struct stat pathStat {};
    return ::lstat(path.constData(), &pathStat) == 0 ? pathStat.st_mode : 0;
}

// The lines ReadListFile gives for the file at path.
QByteArrayList linesRead(const QByteArray& path, Fs::Error* error = nullptr) {
    QByteArrayList lines;
    const Fs::Error readError = ReadListFile(path, [&](QByteArrayView line) {
        lines.append(line.toByteArray());
        return true;
    });
    if (error) {
        *error = readError;
    }
    return lines;
}

// How much the peak resident memory grows while work runs, in MB, measured in a child process so that nothing the
// test did before counts; -1 when the child did not end normally (a crash, an uncaught exception).
long peakGrowthMegabytesInChild(const std::function<void()>& work) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        rusage before{};
        ::getrusage(RUSAGE_SELF, &before);
        // The child never returns into the test framework, not even through an exception.
        try {
            work();
        } catch (...) {
            ::_exit(3);
        }
        rusage after{};
        ::getrusage(RUSAGE_SELF, &after);
        const long growth = (after.ru_maxrss - before.ru_maxrss) / 1024;
        const bool written = ::write(fds[1], &growth, sizeof growth) == sizeof growth;
        ::_exit(written ? 0 : 1);
    }
    ::close(fds[1]);
    long growth = -1;
    const bool read = ::read(fds[0], &growth, sizeof growth) == sizeof growth;
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? growth : -1;
}

} // namespace

class TestListFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void listFileContent_data();
    void listFileContent();
    void splitLines_data();
    void splitLines();

    void writeMakesTheExactBytes();
    void writeReplacesAnExistingListAndKeepsItsMode();
    void writeGivesANewListTheUsualMode();
    void writeThroughALinkKeepsTheLink();
    void writeFailures_data();
    void writeFailures();
    void writeIntoAFolderWithoutWritePermissionFails();

    void readFailures_data();
    void readFailures();
    void readOfAnUnreadableFileFails();
    void readingInPiecesGivesTheLinesOfTheWholeText();

    void import_data();
    void import();
    void importAppendsToTheList();
    void importFailureLeavesTheListUnchanged();
    void importOfAHugeFileNeedsLittleMemory_data();
    void importOfAHugeFileNeedsLittleMemory();
    void importKeepsTheWindowResponsiveAndStopsWhenItCloses();
    void exportThenImportKeepsEveryByte();

private:
    // path with %D standing for the fixture folder.
    QByteArray at(const QByteArray& path) const { return QByteArray(path).replace("%D", m_dir); }

    QTemporaryDir m_temporary;
    QByteArray m_dir;
};

void TestListFile::initTestCase() {
    QVERIFY(m_temporary.isValid());
    m_dir = QFile::encodeName(m_temporary.path()) + "/fixture";
    MakeFolder(m_dir);
    MakeFile(at("%D/f.txt"));
    MakeFile(at("%D/F.TXT"));
    MakeFile(at("%D/g.txt"));
    MakeFile(at("%D/照片.jpg"));
    MakeFile(at("%D/bad\xff.txt"));
    MakeFolder(at("%D/sub"));
    MakeFifo(at("%D/pipe"));
    MakeLink("nowhere", at("%D/dangling"));
    MakeLink("g.txt", at("%D/toG"));
    MakeFile(at("%D/.varnoth-1-2.part"));
    MakeFolder(at("%D/fixture"));
    MakeFile(at("%D/fixture/g.txt"));
}

void TestListFile::cleanupTestCase() {
    RemoveTree(m_dir);
}

void TestListFile::listFileContent_data() {
    QTest::addColumn<QByteArrayList>("paths");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qsizetype>("leftOut");
    QTest::addColumn<QByteArray>("firstLeftOut");

    QTest::newRow("every line ends in CR LF, the last too")
        << QByteArrayList{"/a/1.jpg", "/b/2.jpg"} << QByteArray("/a/1.jpg\r\n/b/2.jpg\r\n") << qsizetype(0)
        << QByteArray();
    QTest::newRow("an empty list is an empty text") << QByteArrayList{} << QByteArray() << qsizetype(0) << QByteArray();
    QTest::newRow("UTF-8 names are written as they are, without a byte-order mark")
        << QByteArrayList{"/照片/猫.jpg"} << QByteArray("/照片/猫.jpg\r\n") << qsizetype(0) << QByteArray();
    QTest::newRow("broken UTF-8 and blanks are kept byte for byte")
        << QByteArrayList{"/x/ a\xff\xfe.txt "} << QByteArray("/x/ a\xff\xfe.txt \r\n") << qsizetype(0) << QByteArray();
    QTest::newRow("names with a line break are left out, counted, the first named")
        << QByteArrayList{"/h/photo\n.bashrc", "/h/ok.jpg", "/h/a\rb", "/h/c\r\n"} << QByteArray("/h/ok.jpg\r\n")
        << qsizetype(3) << QByteArray("/h/photo\n.bashrc");
}

void TestListFile::listFileContent() {
    QFETCH(QByteArrayList, paths);
    QFETCH(QByteArray, text);
    QFETCH(qsizetype, leftOut);
    QFETCH(QByteArray, firstLeftOut);
    const ListFileContent content = ListFileContentOf(paths);
    QCOMPARE(content.text, text);
    QCOMPARE(content.leftOut, leftOut);
    QCOMPARE(content.firstLeftOut, firstLeftOut);
}

void TestListFile::splitLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArrayList>("lines");

    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArrayList{"a", "b"};
    QTest::newRow("lone LF") << QByteArray("a\nb\n") << QByteArrayList{"a", "b"};
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QByteArrayList{"a", "b"};
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd") << QByteArrayList{"a", "b", "c", "d"};
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QByteArrayList{"a", "", "b"};
    QTest::newRow("CR CR LF is two line ends") << QByteArray("a\r\r\nb") << QByteArrayList{"a", "", "b"};
    QTest::newRow("blank lines are lines") << QByteArray("a\r\n\r\n\nb") << QByteArrayList{"a", "", "", "b"};
    QTest::newRow("text after the last line end is a line") << QByteArray("a\r\nb") << QByteArrayList{"a", "b"};
    QTest::newRow("blanks are not trimmed") << QByteArray(" a \t\r\n") << QByteArrayList{" a \t"};
    QTest::newRow("a NUL ends the text") << QByteArrayLiteral("a\r\nb\0c\r\nd") << QByteArrayList{"a", "b"};
    QTest::newRow("a NUL first leaves nothing") << QByteArrayLiteral("\0a\r\n") << QByteArrayList{};
    QTest::newRow("an empty text has no lines") << QByteArray() << QByteArrayList{};
    QTest::newRow("a lone line end is one blank line") << QByteArray("\r\n") << QByteArrayList{""};
    QTest::newRow("broken UTF-8 is kept") << QByteArray("\xff\xfe\n\xe9") << QByteArrayList{"\xff\xfe", "\xe9"};
    const QByteArray longest(PATH_MAX - 1, 'a');
    QTest::newRow("a line as long as the longest path is kept")
        << QByteArray(longest + "\r\nb") << QByteArrayList{longest, "b"};
    QTest::newRow("a longer line is skipped, the next one kept")
        << QByteArray(longest + "a\r\nb\n" + longest + "a") << QByteArrayList{"b"};
}

void TestListFile::splitLines() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArrayList, lines);
    QCOMPARE(SplitListFileLines(text), lines);
}

void TestListFile::writeMakesTheExactBytes() {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/out.lst";
    QVERIFY(!WriteListFile(list, {"/a/照片.jpg", "/b/x\xff.txt"}).error.failed());
    QCOMPARE(ReadTestFile(folder.path() + u"/out.lst"_s), QByteArray("/a/照片.jpg\r\n/b/x\xff.txt\r\n"));
    // Nothing else is left in the folder, no temporary file in particular.
    QCOMPARE(EntriesOf(folder.path()), QStringList{u"out.lst"_s});
}

void TestListFile::writeReplacesAnExistingListAndKeepsItsMode() {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/file.lst";
    MakeFile(list, "a much longer old list that must disappear entirely\r\n");
    SetMode(list, 0640);
    QVERIFY(!WriteListFile(list, {"/new"}).error.failed());
    QCOMPARE(ReadTestFile(folder.path() + u"/file.lst"_s), QByteArray("/new\r\n"));
    QCOMPARE(modeOf(list) & 07777, mode_t(0640));
    QCOMPARE(EntriesOf(folder.path()), QStringList{u"file.lst"_s});
}

void TestListFile::writeGivesANewListTheUsualMode() {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/file.lst";
    const mode_t previous = ::umask(022);
    const Fs::Error error = WriteListFile(list, {"/a"}).error;
    ::umask(previous);
    QVERIFY(!error.failed());
    QCOMPARE(modeOf(list) & 07777, mode_t(0644));
}

void TestListFile::writeThroughALinkKeepsTheLink() {
    QTemporaryDir folder;
    const QByteArray base = QFile::encodeName(folder.path());
    MakeFile(base + "/real.lst", "old\r\n");
    MakeLink("real.lst", base + "/link.lst");
    QVERIFY(!WriteListFile(base + "/link.lst", {"/a"}).error.failed());
    QVERIFY(S_ISLNK(modeOf(base + "/link.lst")));
    QCOMPARE(ReadTestFile(folder.path() + u"/real.lst"_s), QByteArray("/a\r\n"));
    QCOMPARE(EntriesOf(folder.path()), (QStringList{u"link.lst"_s, u"real.lst"_s}));
}

void TestListFile::writeFailures_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<Fs::Error>("error");
    QTest::addColumn<QStringList>("entriesAfter");

    QTest::newRow("the folder does not exist")
        << QByteArray("gone/file.lst") << Fs::Error{Operation::CreateTemporary, ENOENT} << QStringList{u"old.lst"_s};
    QTest::newRow("the name is a folder's")
        << QByteArray("folder") << Fs::Error{Operation::CheckTarget, EISDIR} << QStringList{u"folder"_s, u"old.lst"_s};
    // A file without write permission bits is write-protected, even for root.
    QTest::newRow("the existing list is write-protected")
        << QByteArray("old.lst") << Fs::Error{Operation::CheckTarget, EACCES} << QStringList{u"old.lst"_s};
}

void TestListFile::writeFailures() {
    QFETCH(QByteArray, name);
    QFETCH(Fs::Error, error);
    QFETCH(QStringList, entriesAfter);
    QTemporaryDir folder;
    const QByteArray base = QFile::encodeName(folder.path());
    MakeFile(base + "/old.lst", "old\r\n");
    SetMode(base + "/old.lst", 0444);
    if (name == "folder") {
        MakeFolder(base + "/folder");
    }
    QCOMPARE(WriteListFile(base + '/' + name, {"/a"}).error, error);
    QCOMPARE(EntriesOf(folder.path()), entriesAfter);
    QCOMPARE(ReadTestFile(folder.path() + u"/old.lst"_s), QByteArray("old\r\n"));
}

void TestListFile::writeIntoAFolderWithoutWritePermissionFails() {
    const PermissionBitsBind bound;
    if (!bound.reason().isEmpty()) {
        QSKIP(qPrintable(bound.reason()));
    }
    QTemporaryDir folder;
    const QByteArray base = QFile::encodeName(folder.path());
    SetMode(base, 0555);
    const Fs::Error error = WriteListFile(base + "/file.lst", {"/a"}).error;
    SetMode(base, 0755);
    QCOMPARE(error, (Fs::Error{Operation::CreateTemporary, EACCES}));
    QCOMPARE(EntriesOf(folder.path()), QStringList{});
}

void TestListFile::readFailures_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<Fs::Error>("error");

    QTest::newRow("the file does not exist")
        << QByteArray("%D/missing.lst") << Fs::Error{Operation::OpenSource, ENOENT};
    QTest::newRow("a folder is not a list file") << QByteArray("%D/sub") << Fs::Error{Operation::CheckSource, EISDIR};
    QTest::newRow("a FIFO is refused without waiting for a writer")
        << QByteArray("%D/pipe") << Fs::Error{Operation::CheckSource, EINVAL};
}

void TestListFile::readFailures() {
    QFETCH(QByteArray, name);
    QFETCH(Fs::Error, error);
    Fs::Error readError;
    QCOMPARE(linesRead(at(name), &readError), QByteArrayList{});
    QCOMPARE(readError, error);
}

void TestListFile::readOfAnUnreadableFileFails() {
    const PermissionBitsBind bound;
    if (!bound.reason().isEmpty()) {
        QSKIP(qPrintable(bound.reason()));
    }
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/secret.lst";
    MakeFile(list, "/a\r\n");
    SetMode(list, 0);
    Fs::Error error;
    linesRead(list, &error);
    QCOMPARE(error, (Fs::Error{Operation::OpenSource, EACCES}));
}

// The file is read in pieces of 64 KiB: a line may span two pieces, and a CR LF split between them is one line
// end.
void TestListFile::readingInPiecesGivesTheLinesOfTheWholeText() {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/in.lst";
    const QByteArray spanning(3000, 'a'); // bytes 64000 to 66999
    const QByteArray split(2000, 'b');    // up to byte 131070, its CR at 131071 and its LF at 131072
    const QByteArray text = QByteArray(64000, '\n') + spanning + "\r\n" + QByteArray(62070, '\n') + split + "\r\nc";
    MakeFile(list, text);
    const QByteArrayList lines = linesRead(list);
    QCOMPARE(lines, SplitListFileLines(text));
    QCOMPARE(lines.size(), 64000 + 1 + 62070 + 1 + 1);
    QCOMPARE(lines.mid(64000, 1), QByteArrayList{spanning});
    QCOMPARE(lines.mid(lines.size() - 2), (QByteArrayList{split, "c"}));
}

void TestListFile::import_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArrayList>("entries");

    QTest::newRow("existing path, blank line, case twin naming another file, missing path")
        << QByteArray("%D/f.txt\r\n\r\n%D/F.TXT\r\n%D/missing.txt\r\n") << QByteArrayList{"%D/f.txt", "%D/F.TXT"};
    QTest::newRow("lone LF reads like CR LF")
        << QByteArray("%D/g.txt\n%D/f.txt\n") << QByteArrayList{"%D/g.txt", "%D/f.txt"};
    QTest::newRow("mixed line ends, file order kept")
        << QByteArray("%D/照片.jpg\r%D/g.txt\n%D/f.txt\r\n%D/bad\xff.txt")
        << QByteArrayList{"%D/照片.jpg", "%D/g.txt", "%D/f.txt", "%D/bad\xff.txt"};
    QTest::newRow("a folder line becomes an entry")
        << QByteArray("%D/sub\r\n%D/g.txt\r\n") << QByteArrayList{"%D/sub", "%D/g.txt"};
    QTest::newRow("a NUL ends the text") << QByteArrayLiteral("%D/g.txt\r\n%D/f.txt\0\r\n%D/照片.jpg\r\n")
                                         << QByteArrayList{"%D/g.txt", "%D/f.txt"};
    QTest::newRow("lines with blanks around a path name nothing")
        << QByteArray(" %D/g.txt\r\n%D/f.txt \r\n\t\r\n") << QByteArrayList{};
    QTest::newRow("links to files and FIFOs are files, a dangling link names nothing")
        << QByteArray("%D/dangling\r\n%D/toG\r\n%D/pipe\r\n") << QByteArrayList{"%D/toG", "%D/pipe"};
    QTest::newRow("a path twice is added once") << QByteArray("%D/g.txt\r\n%D/g.txt\r\n") << QByteArrayList{"%D/g.txt"};
    QTest::newRow("an empty file adds nothing") << QByteArray() << QByteArrayList{};
    // A relative line would be resolved against the program's working folder: the test's current folder holds
    // the fixture's files under these names.
    QTest::newRow("relative paths are ignored")
        << QByteArray("f.txt\r\n./g.txt\r\nfixture/g.txt\r\n%D/f.txt\r\n") << QByteArrayList{"%D/f.txt"};
    QTest::newRow("our own temporary files are ignored")
        << QByteArray("%D/.varnoth-1-2.part\r\n%D/g.txt\r\n") << QByteArrayList{"%D/g.txt"};
    QTest::newRow("a line longer than the longest path is skipped")
        << QByteArray("%D/" + QByteArray(PATH_MAX, 'x') + "\r\n%D/g.txt\r\n") << QByteArrayList{"%D/g.txt"};
}

void TestListFile::import() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArrayList, entries);
    const QString workingFolder = QDir::currentPath();
    QDir::setCurrent(QFile::decodeName(m_dir));
    const auto restoreWorkingFolder = qScopeGuard([&] { QDir::setCurrent(workingFolder); });
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/in.lst";
    MakeFile(list, at(content));
    FileListModel model;
    CountingScanHost host;
    QVERIFY(!ImportListFile(list, model, host).failed());
    QByteArrayList expected;
    for (const QByteArray& entry : entries) {
        expected.append(at(entry));
    }
    QCOMPARE(model.paths(), expected);
}

void TestListFile::importAppendsToTheList() {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/in.lst";
    MakeFile(list, at("%D/F.TXT\r\n%D/g.txt\r\n"));
    FileListModel model;
    model.appendAll({"/kept/first", at("%D/f.txt")});
    CountingScanHost host;
    QVERIFY(!ImportListFile(list, model, host).failed());
    QCOMPARE(model.paths(), (QByteArrayList{"/kept/first", at("%D/f.txt"), at("%D/F.TXT"), at("%D/g.txt")}));
}

void TestListFile::importFailureLeavesTheListUnchanged() {
    FileListModel model;
    model.appendAll({"/kept"});
    CountingScanHost host;
    QCOMPARE(ImportListFile(at("%D/missing.lst"), model, host), (Fs::Error{Operation::OpenSource, ENOENT}));
    QCOMPARE(model.paths(), QByteArrayList{"/kept"});
}

void TestListFile::importOfAHugeFileNeedsLittleMemory_data() {
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("a 40 GB sparse file") << QByteArray("truncate -s 40G huge.lst");
    QTest::newRow("100 MB of blank lines")
        << QByteArray("yes $'\\r' | head -c 104857600 > huge.lst && printf '%s\\r\\n' \"$1\" >> huge.lst");
}

// A file chosen by mistake ends in a finished import, in little memory: nothing is read whole or kept line by line.
void TestListFile::importOfAHugeFileNeedsLittleMemory() {
    QFETCH(QByteArray, command);
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/huge.lst";
    QProcess shell;
    shell.setWorkingDirectory(folder.path());
    shell.start(u"bash"_s, {u"-c"_s, QString::fromUtf8(command), u"bash"_s, QFile::decodeName(at("%D/g.txt"))});
    QVERIFY(shell.waitForFinished(60000) && shell.exitCode() == 0);
    const long growth = peakGrowthMegabytesInChild([&] {
        FileListModel model;
        CountingScanHost host;
        const bool imported = !ImportListFile(list, model, host).failed() && model.size() <= 1;
        if (!imported) {
            ::_exit(2);
        }
    });
    QVERIFY2(growth >= 0 && growth < 64, qPrintable(QString::number(growth)));
}

void TestListFile::importKeepsTheWindowResponsiveAndStopsWhenItCloses() {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/in.lst";
    QByteArray content;
    for (int line = 0; line < 200000; ++line) {
        content += at("%D/g.txt\r\n");
    }
    MakeFile(list, content + at("%D/f.txt\r\n"));
    FileListModel model;
    CountingScanHost host;
    host.stopAfterPumps = 1;
    QVERIFY(!ImportListFile(list, model, host).failed());
    QCOMPARE(host.eventPumps, 1);
    QCOMPARE(model.paths(), QByteArrayList{at("%D/g.txt")});
}

void TestListFile::exportThenImportKeepsEveryByte() {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/file.lst";
    FileListModel exported;
    exported.appendAll({at("%D/bad\xff.txt"), at("%D/照片.jpg"), at("%D/sub")});
    QVERIFY(!ExportListFile(list, exported).error.failed());
    QCOMPARE(ReadTestFile(folder.path() + u"/file.lst"_s), at("%D/bad\xff.txt\r\n%D/照片.jpg\r\n%D/sub\r\n"));
    FileListModel imported;
    CountingScanHost host;
    QVERIFY(!ImportListFile(list, imported, host).failed());
    QCOMPARE(imported.paths(), (QByteArrayList{at("%D/bad\xff.txt"), at("%D/照片.jpg"), at("%D/sub")}));
}

QTEST_GUILESS_MAIN(TestListFile)
#include "test_list_file.moc"

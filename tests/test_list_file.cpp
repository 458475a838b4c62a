#include "filelist/FileListModel.h"
#include "filelist/ListFile.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/FsErrorOutput.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

using Fs::Operation;
Q_DECLARE_METATYPE(Fs::Error)

namespace {

mode_t modeOf(const QByteArray& path) {
    struct stat pathStat {};
    return ::lstat(path.constData(), &pathStat) == 0 ? pathStat.st_mode : 0;
}

} // namespace

class TestListFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void listFileText_data();
    void listFileText();
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

    void import_data();
    void import();
    void importAppendsToTheList();
    void importFailureLeavesTheListUnchanged();
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
}

void TestListFile::cleanupTestCase() {
    RemoveTree(m_dir);
}

void TestListFile::listFileText_data() {
    QTest::addColumn<QByteArrayList>("paths");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("every line ends in CR LF, the last too")
        << QByteArrayList{"/a/1.jpg", "/b/2.jpg"} << QByteArray("/a/1.jpg\r\n/b/2.jpg\r\n");
    QTest::newRow("an empty list is an empty text") << QByteArrayList{} << QByteArray();
    QTest::newRow("UTF-8 names are written as they are, without a byte-order mark")
        << QByteArrayList{"/照片/猫.jpg"} << QByteArray("/照片/猫.jpg\r\n");
    QTest::newRow("broken UTF-8 and blanks are kept byte for byte")
        << QByteArrayList{"/x/ a\xff\xfe.txt "} << QByteArray("/x/ a\xff\xfe.txt \r\n");
}

void TestListFile::listFileText() {
    QFETCH(QByteArrayList, paths);
    QFETCH(QByteArray, text);
    QCOMPARE(ListFileText(paths), text);
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
}

void TestListFile::splitLines() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArrayList, lines);
    QCOMPARE(SplitListFileLines(text), lines);
}

void TestListFile::writeMakesTheExactBytes() {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/out.lst";
    QVERIFY(!WriteListFile(list, {"/a/照片.jpg", "/b/x\xff.txt"}).failed());
    QCOMPARE(ReadTestFile(folder.path() + u"/out.lst"_s), QByteArray("/a/照片.jpg\r\n/b/x\xff.txt\r\n"));
    // Nothing else is left in the folder, no temporary file in particular.
    QCOMPARE(EntriesOf(folder.path()), QStringList{u"out.lst"_s});
}

void TestListFile::writeReplacesAnExistingListAndKeepsItsMode() {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/file.lst";
    MakeFile(list, "a much longer old list that must disappear entirely\r\n");
    SetMode(list, 0640);
    QVERIFY(!WriteListFile(list, {"/new"}).failed());
    QCOMPARE(ReadTestFile(folder.path() + u"/file.lst"_s), QByteArray("/new\r\n"));
    QCOMPARE(modeOf(list) & 07777, mode_t(0640));
    QCOMPARE(EntriesOf(folder.path()), QStringList{u"file.lst"_s});
}

void TestListFile::writeGivesANewListTheUsualMode() {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/file.lst";
    const mode_t previous = ::umask(022);
    const Fs::Error error = WriteListFile(list, {"/a"});
    ::umask(previous);
    QVERIFY(!error.failed());
    QCOMPARE(modeOf(list) & 07777, mode_t(0644));
}

void TestListFile::writeThroughALinkKeepsTheLink() {
    QTemporaryDir folder;
    const QByteArray base = QFile::encodeName(folder.path());
    MakeFile(base + "/real.lst", "old\r\n");
    MakeLink("real.lst", base + "/link.lst");
    QVERIFY(!WriteListFile(base + "/link.lst", {"/a"}).failed());
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
    QCOMPARE(WriteListFile(base + '/' + name, {"/a"}), error);
    QCOMPARE(EntriesOf(folder.path()), entriesAfter);
    QCOMPARE(ReadTestFile(folder.path() + u"/old.lst"_s), QByteArray("old\r\n"));
}

void TestListFile::writeIntoAFolderWithoutWritePermissionFails() {
    if (RunningAsRoot()) {
        QSKIP("root writes into any folder");
    }
    QTemporaryDir folder;
    const QByteArray base = QFile::encodeName(folder.path());
    SetMode(base, 0555);
    const Fs::Error error = WriteListFile(base + "/file.lst", {"/a"});
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
    QByteArrayList lines{"untouched"};
    QCOMPARE(ReadListFile(at(name), lines), error);
    QCOMPARE(lines, QByteArrayList{"untouched"});
}

void TestListFile::readOfAnUnreadableFileFails() {
    if (RunningAsRoot()) {
        QSKIP("root reads any file");
    }
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/secret.lst";
    MakeFile(list, "/a\r\n");
    SetMode(list, 0);
    QByteArrayList lines;
    QCOMPARE(ReadListFile(list, lines), (Fs::Error{Operation::OpenSource, EACCES}));
}

void TestListFile::import_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArrayList>("entries");

    QTest::newRow("existing path, blank line, case twin, missing path: the first only")
        << QByteArray("%D/f.txt\r\n\r\n%D/F.TXT\r\n%D/missing.txt\r\n") << QByteArrayList{"%D/f.txt"};
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
}

void TestListFile::import() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArrayList, entries);
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/in.lst";
    MakeFile(list, at(content));
    FileListModel model;
    QVERIFY(!ImportListFile(list, model).failed());
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
    QVERIFY(!ImportListFile(list, model).failed());
    QCOMPARE(model.paths(), (QByteArrayList{"/kept/first", at("%D/f.txt"), at("%D/g.txt")}));
}

void TestListFile::importFailureLeavesTheListUnchanged() {
    FileListModel model;
    model.appendAll({"/kept"});
    QCOMPARE(ImportListFile(at("%D/missing.lst"), model), (Fs::Error{Operation::OpenSource, ENOENT}));
    QCOMPARE(model.paths(), QByteArrayList{"/kept"});
}

void TestListFile::exportThenImportKeepsEveryByte() {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/file.lst";
    FileListModel exported;
    exported.appendAll({at("%D/bad\xff.txt"), at("%D/照片.jpg"), at("%D/sub")});
    QVERIFY(!ExportListFile(list, exported).failed());
    QCOMPARE(ReadTestFile(folder.path() + u"/file.lst"_s), at("%D/bad\xff.txt\r\n%D/照片.jpg\r\n%D/sub\r\n"));
    FileListModel imported;
    QVERIFY(!ImportListFile(list, imported).failed());
    QCOMPARE(imported.paths(), (QByteArrayList{at("%D/bad\xff.txt"), at("%D/照片.jpg"), at("%D/sub")}));
}

QTEST_GUILESS_MAIN(TestListFile)
#include "test_list_file.moc"

#include "core/CriterionPage.h"
#include "engine/SortRun.h"
#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"
#include "testsupport/CountingScanHost.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/PermissionBits.h"
#include "testsupport/TestFiles.h"

#include <QDirIterator>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <climits>

using namespace Qt::StringLiterals;

namespace {

// The part of each entry after prefix.
QByteArrayList relativeEntries(const FileListModel& model, const QByteArray& prefix) {
    QByteArrayList entries = model.paths();
    for (QByteArray& entry : entries) {
        if (entry.startsWith(prefix)) {
            entry.remove(0, prefix.size());
        }
    }
    return entries;
}

QByteArrayList sorted(QByteArrayList entries) {
    std::sort(entries.begin(), entries.end());
    return entries;
}

// The folders the entries lie in, in list order, each run of one folder shown once.
QByteArrayList folderRuns(const QByteArrayList& entries) {
    QByteArrayList runs;
    for (const QByteArray& entry : entries) {
        const QByteArray folder = entry.left(entry.lastIndexOf('/'));
        if (runs.isEmpty() || runs.last() != folder) {
            runs.append(folder);
        }
    }
    return runs;
}

// folder/s0, folder/s1, folder/s2, each with 100 empty files; made once.
void MakeWideTree(const QByteArray& folder) {
    if (QFileInfo::exists(QFile::decodeName(folder))) {
        return;
    }
    MakeFolder(folder);
    for (int sub = 0; sub < 3; ++sub) {
        const QByteArray subFolder = folder + "/s" + QByteArray::number(sub);
        MakeFolder(subFolder);
        for (int file = 0; file < 100; ++file) {
            MakeFile(subFolder + "/f" + QByteArray::number(file));
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(EntryType)
Q_DECLARE_METATYPE(EntryClass)

class TestFolderScan : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void classifyEntry_data();
    void classifyEntry();
    void parseScanDepth_data();
    void parseScanDepth();
    void withTrailingSlash_data();
    void withTrailingSlash();

    void scanModes_data();
    void scanModes();
    void ownFilesComeBeforeSubFolders_data();
    void ownFilesComeBeforeSubFolders();
    void entriesKeepTheFileSystemOrder();
    void pathsAlreadyListedAreNotAddedAgain();
    void unreadableFoldersAreNamedAndTheScanGoesOn();
    void theListFillsAndRepaintsAsTheScanGoes();
    void aClosingWindowStopsTheScanAtOnce();
    void caseTwinsAreTwoFilesAndBothAreSorted();
    void oneFileReachedThroughACaseTwinFolderIsListedOnce();
    void aFileSystemIgnoringCaseListsEachFileOnce();

private:
    QTemporaryDir m_temporary;
    QByteArray m_root;
};

// a                  own files: plain, hidden, Chinese, broken UTF-8, FIFO, link to a file, dangling link, and a
//                    temporary file of ours, which is never listed
// a/toB -> b         link to a folder: neither entered nor added
// a/b                b1.txt
// a/b/c              c1.txt, and up -> ../.. (a link loop back to a)
// a/b/c/.hid         a hidden folder: h1.txt
void TestFolderScan::initTestCase() {
    QVERIFY(m_temporary.isValid());
    m_root = QFile::encodeName(m_temporary.path()) + '/';
    MakeFolder(m_root + "a");
    MakeFile(m_root + "a/a1.txt");
    MakeFile(m_root + "a/.hidden.txt");
    MakeFile(m_root + "a/照片.jpg");
    MakeFile(m_root + "a/bad\xff.txt");
    MakeFifo(m_root + "a/pipe");
    MakeLink("a1.txt", m_root + "a/toA1");
    MakeLink("nowhere", m_root + "a/dangling");
    MakeFile(m_root + "a/.varnoth-77-1.part");
    MakeFolder(m_root + "a/b");
    MakeLink("b", m_root + "a/toB");
    MakeFile(m_root + "a/b/b1.txt");
    MakeFolder(m_root + "a/b/c");
    MakeFile(m_root + "a/b/c/c1.txt");
    MakeLink("../..", m_root + "a/b/c/up");
    MakeFolder(m_root + "a/b/c/.hid");
    MakeFile(m_root + "a/b/c/.hid/h1.txt");
    MakeFolder(m_root + "empty");
}

void TestFolderScan::cleanupTestCase() {
    RemoveTree(m_root);
}

void TestFolderScan::classifyEntry_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<EntryType>("type");
    QTest::addColumn<EntryClass>("expected");

    QTest::newRow("dot") << QByteArray(".") << EntryType::Folder << EntryClass::DotEntry;
    QTest::newRow("dot dot") << QByteArray("..") << EntryType::Folder << EntryClass::DotEntry;
    QTest::newRow("three dots name a file") << QByteArray("...") << EntryType::Other << EntryClass::File;
    QTest::newRow("a folder") << QByteArray("photos") << EntryType::Folder << EntryClass::SubFolder;
    QTest::newRow("a hidden folder is entered") << QByteArray(".cache") << EntryType::Folder << EntryClass::SubFolder;
    QTest::newRow("a link to a folder") << QByteArray("toB") << EntryType::LinkToFolder << EntryClass::FolderLink;
    QTest::newRow("a hidden file") << QByteArray(".profile") << EntryType::Other << EntryClass::File;
    QTest::newRow("a folder-like name that is a file") << QByteArray("dir.d") << EntryType::Other << EntryClass::File;
}

void TestFolderScan::classifyEntry() {
    QFETCH(QByteArray, name);
    QFETCH(EntryType, type);
    QFETCH(EntryClass, expected);
    QCOMPARE(ClassifyEntry(name, type), expected);
}

void TestFolderScan::parseScanDepth_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("depth");

    QTest::newRow("an offered level") << u"2"_s << std::optional<int>(2);
    QTest::newRow("two typed digits") << u"12"_s << std::optional<int>(12);
    QTest::newRow("zero") << u"0"_s << std::optional<int>(0);
    QTest::newRow("leading zeros") << u"007"_s << std::optional<int>(7);
    QTest::newRow("the largest 32-bit number") << u"2147483647"_s << std::optional<int>(2147483647);
    QTest::newRow("one past the largest") << u"2147483648"_s << std::optional<int>();
    QTest::newRow("many digits") << u"99999999999999999999999"_s << std::optional<int>();
    QTest::newRow("a pasted negative number") << u"-1"_s << std::optional<int>(-1);
    QTest::newRow("the smallest 32-bit number") << u"-2147483648"_s << std::optional<int>(-2147483647 - 1);
    QTest::newRow("one below the smallest") << u"-2147483649"_s << std::optional<int>();
    QTest::newRow("a plus sign") << u"+3"_s << std::optional<int>(3);
    QTest::newRow("pasted blanks around") << u" 3 "_s << std::optional<int>(3);
    QTest::newRow("empty") << QString() << std::optional<int>();
    QTest::newRow("blanks only") << u"  "_s << std::optional<int>();
    QTest::newRow("a sign alone") << u"-"_s << std::optional<int>();
    QTest::newRow("a letter after digits") << u"1a"_s << std::optional<int>();
    QTest::newRow("a blank inside") << u"1 2"_s << std::optional<int>();
    QTest::newRow("hexadecimal") << u"0x10"_s << std::optional<int>();
    QTest::newRow("full-width digits") << u"１２"_s << std::optional<int>();
}

void TestFolderScan::parseScanDepth() {
    QFETCH(QString, text);
    QFETCH(std::optional<int>, depth);
    QCOMPARE(ParseScanDepth(text), depth);
}

void TestFolderScan::withTrailingSlash_data() {
    QTest::addColumn<QByteArray>("folder");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("the root keeps its one slash") << QByteArray("/") << QByteArray("/");
    QTest::newRow("a folder gets one") << QByteArray("/home/u") << QByteArray("/home/u/");
    QTest::newRow("a folder that has one keeps it") << QByteArray("/home/u/") << QByteArray("/home/u/");
}

void TestFolderScan::withTrailingSlash() {
    QFETCH(QByteArray, folder);
    QFETCH(QByteArray, expected);
    QCOMPARE(WithTrailingSlash(folder), expected);
}

void TestFolderScan::scanModes_data() {
    QTest::addColumn<QByteArray>("folder");
    QTest::addColumn<bool>("wholeTree");
    QTest::addColumn<bool>("depthLimited");
    QTest::addColumn<QString>("levelText");
    QTest::addColumn<QByteArrayList>("entries");

    const QByteArrayList ownFiles{"a/.hidden.txt", "a/a1.txt", "a/bad\xff.txt", "a/dangling",
                                  "a/pipe",        "a/toA1",   "a/照片.jpg"};
    const QByteArrayList downToB = ownFiles + QByteArrayList{"a/b/b1.txt"};
    const QByteArrayList downToC = downToB + QByteArrayList{"a/b/c/c1.txt"};
    const QByteArrayList wholeTree = downToC + QByteArrayList{"a/b/c/.hid/h1.txt"};

    QTest::newRow("single folder: the folder's own files, special ones included")
        << QByteArray("a") << false << false << u"1"_s << ownFiles;
    QTest::newRow("single folder given with a trailing slash")
        << QByteArray("a/") << false << false << QString() << ownFiles;
    QTest::newRow("depth 0: the folder's own files") << QByteArray("a") << false << true << u"0"_s << ownFiles;
    QTest::newRow("depth 1: a and a/b, not a/b/c") << QByteArray("a") << false << true << u"1"_s << downToB;
    QTest::newRow("depth 2: down to a/b/c") << QByteArray("a") << false << true << u"2"_s << downToC;
    QTest::newRow("depth 3: the hidden folder too") << QByteArray("a") << false << true << u"3"_s << wholeTree;
    QTest::newRow("a depth beyond the tree") << QByteArray("a/") << false << true << u"2147483647"_s << wholeTree;
    QTest::newRow("whole tree") << QByteArray("a") << true << false << QString() << wholeTree;
    QTest::newRow("whole tree wins over depth") << QByteArray("a") << true << true << u"0"_s << wholeTree;
    QTest::newRow("a negative depth adds nothing") << QByteArray("a") << false << true << u"-1"_s << QByteArrayList{};
    QTest::newRow("an empty level text adds nothing")
        << QByteArray("a") << false << true << QString() << QByteArrayList{};
    QTest::newRow("an out-of-range level adds nothing")
        << QByteArray("a") << false << true << u"2147483648"_s << QByteArrayList{};
    QTest::newRow("whole tree below a sub-folder")
        << QByteArray("a/b/c") << true << false << QString() << QByteArrayList{"a/b/c/c1.txt", "a/b/c/.hid/h1.txt"};
    QTest::newRow("an empty folder adds nothing")
        << QByteArray("empty") << true << false << QString() << QByteArrayList{};
    QTest::newRow("a missing folder adds nothing")
        << QByteArray("missing") << false << false << QString() << QByteArrayList{};
    QTest::newRow("a file is not a folder")
        << QByteArray("a/a1.txt") << false << false << QString() << QByteArrayList{};
}

void TestFolderScan::scanModes() {
    QFETCH(QByteArray, folder);
    QFETCH(bool, wholeTree);
    QFETCH(bool, depthLimited);
    QFETCH(QString, levelText);
    QFETCH(QByteArrayList, entries);
    FileListModel model;
    CountingScanHost host;
    ScanChosenFolder({m_root + folder, wholeTree, depthLimited, levelText}, model, host);
    QCOMPARE(sorted(relativeEntries(model, m_root)), sorted(entries));
}

void TestFolderScan::ownFilesComeBeforeSubFolders_data() {
    QTest::addColumn<bool>("wholeTree");
    QTest::addColumn<QString>("levelText");
    QTest::addColumn<QByteArrayList>("runs");

    QTest::newRow("whole tree") << true << QString() << QByteArrayList{"a", "a/b", "a/b/c", "a/b/c/.hid"};
    QTest::newRow("depth 2") << false << u"2"_s << QByteArrayList{"a", "a/b", "a/b/c"};
}

void TestFolderScan::ownFilesComeBeforeSubFolders() {
    QFETCH(bool, wholeTree);
    QFETCH(QString, levelText);
    QFETCH(QByteArrayList, runs);
    FileListModel model;
    CountingScanHost host;
    ScanChosenFolder({m_root + "a", wholeTree, !wholeTree, levelText}, model, host);
    QCOMPARE(folderRuns(relativeEntries(model, m_root)), runs);
}

// Nothing is sorted: within a folder the entries come as the file system lists them.
void TestFolderScan::entriesKeepTheFileSystemOrder() {
    const QByteArray folder = m_root + "many";
    MakeFolder(folder);
    for (const char* name : {"m", "Z", "a", "q", "B", "k", "c", "y", "x", "d", "0", "n"}) {
        MakeFile(folder + '/' + name);
    }
    QByteArrayList listed;
    QDirIterator entries(QFile::decodeName(folder), QDir::Files);
    while (entries.hasNext()) {
        listed.append(QFile::encodeName(entries.next()));
    }
    FileListModel model;
    CountingScanHost host;
    FolderScanner(model, host).scanFolder(folder);
    QCOMPARE(relativeEntries(model, {}), listed);
}

void TestFolderScan::pathsAlreadyListedAreNotAddedAgain() {
    FileListModel model;
    model.appendAll({m_root + "a/A1.TXT"});
    CountingScanHost host;
    FolderScanner scanner(model, host);
    scanner.scanToDepth(m_root + "a/", 1);
    scanner.scanToDepth(m_root + "a/", 1);
    QCOMPARE(sorted(relativeEntries(model, m_root)), sorted({"a/A1.TXT", "a/.hidden.txt", "a/bad\xff.txt", "a/dangling",
                                                             "a/pipe", "a/toA1", "a/照片.jpg", "a/b/b1.txt"}));
}

// Folders that cannot be read (no permission, a path longer than PATH_MAX) add nothing and are named with their
// reason; the scan goes on with the rest.
void TestFolderScan::unreadableFoldersAreNamedAndTheScanGoesOn() {
    QTemporaryDir temporary;
    const QByteArray top = QFile::encodeName(temporary.path());
    MakeFolder(top + "/open");
    MakeFolder(top + "/open/inner");
    MakeFolder(top + "/open/inner/locked");
    MakeFile(top + "/open/inner/locked/l1.txt");
    MakeFile(top + "/open/o1.txt");
    MakeFile(top + "/t1.txt");
    MakeFolder(top + "/long");
    const QByteArray deepFile = MakeDeepFile(top + "/long", 20, "deep.txt");
    SetMode(top + "/open/inner/locked", 0);
    const auto cleanUp = qScopeGuard([&] {
        SetMode(top + "/open/inner/locked", 0755);
        RemoveTree(top + "/long"); // deeper than QTemporaryDir removes
    });
    const PermissionBitsBind bound;
    if (!bound.reason().isEmpty()) {
        QSKIP(qPrintable(bound.reason()));
    }
    FileListModel model;
    CountingScanHost host;
    FolderScanner scanner(model, host);
    scanner.scanTree(top + '/');
    scanner.scanFolder(top + "/open/inner/locked");
    scanner.scanToDepth(top + "/open/", 1); // the locked folder lies deeper
    scanner.scanToDepth(top + "/open/", 2);

    QCOMPARE(sorted(relativeEntries(model, top)), (QByteArrayList{"/open/o1.txt", "/t1.txt"}));
    QByteArrayList named;
    QByteArray deepest;
    for (const UnreadableFolder& folder : scanner.unreadableFolders()) {
        const bool tooLong = folder.path.startsWith(top + "/long/");
        deepest = tooLong ? folder.path : deepest;
        named.append((tooLong ? "long" : folder.path.mid(top.size())) + ": " + QByteArray::number(folder.error));
    }
    const QByteArray locked = "/open/inner/locked: " + QByteArray::number(EACCES);
    QCOMPARE(sorted(named), (QByteArrayList{locked, locked, locked, "long: " + QByteArray::number(ENAMETOOLONG)}));
    // The folder named is the first one whose path, with its '/', is past PATH_MAX.
    QVERIFY(deepest.size() + 1 >= PATH_MAX && deepest.size() - 250 < PATH_MAX && deepFile.startsWith(deepest));
}

// wide/s0, wide/s1, wide/s2 with 100 files each; with time slices of no length, every 64th entry ends a slice.
void TestFolderScan::theListFillsAndRepaintsAsTheScanGoes() {
    MakeWideTree(m_root + "wide");
    FileListModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    CountingScanHost host;
    FolderScanner(model, host, true, std::chrono::milliseconds(0)).scanTree(m_root + "wide/");
    QCOMPARE(model.size(), 300);
    QVERIFY2(host.eventPumps >= 4, qPrintable(QString::number(host.eventPumps)));
    QVERIFY2(host.repaints >= 2 && inserted.count() >= 2, qPrintable(QString::number(host.repaints)));

    // Only the whole-tree scan repaints; every scan processes events. Rows join a long list in one insertion once
    // they are too few to be worth laying the whole list out again.
    FileListModel longList;
    QByteArrayList earlier;
    for (int i = 0; i < 2000; ++i) {
        earlier.append("/earlier/" + QByteArray::number(i));
    }
    longList.appendAll(earlier);
    QSignalSpy insertedIntoLongList(&longList, &QAbstractItemModel::rowsInserted);
    CountingScanHost levels;
    FolderScanner(longList, levels, false, std::chrono::milliseconds(0)).scanToDepth(m_root + "wide/", 1);
    QCOMPARE(longList.size(), 2300);
    QVERIFY(levels.eventPumps >= 4);
    QCOMPARE(levels.repaints, 0);
    QCOMPARE(insertedIntoLongList.count(), 1);
}

void TestFolderScan::aClosingWindowStopsTheScanAtOnce() {
    MakeWideTree(m_root + "wide");
    FileListModel model;
    CountingScanHost host;
    host.stopAfterPumps = 1; // the window closes at the first round of events
    FolderScanner(model, host, true, std::chrono::milliseconds(0)).scanTree(m_root + "wide/");
    QCOMPARE(host.eventPumps, 1);
    // What was found before stays; nothing after, not even the rest of the folder being read.
    QVERIFY(model.size() > 0 && model.size() < 100);
    QCOMPARE(folderRuns(model.paths()).size(), 1);
}

// On Linux a.txt and A.txt are two files: both are listed and both are sorted.
void TestFolderScan::caseTwinsAreTwoFilesAndBothAreSorted() {
    const QByteArray twins = m_root + "twins";
    MakeFolder(twins);
    MakeFile(twins + "/a.txt", "lower");
    MakeFile(twins + "/A.txt", "upper");
    FileListModel model;
    CountingScanHost scanHost;
    ScanChosenFolder({twins, false, false, QString()}, model, scanHost);
    QCOMPARE(sorted(model.paths()), (QByteArrayList{twins + "/A.txt", twins + "/a.txt"}));

    FakeRunHost host;
    host.files = model.paths();
    host.inputs.page = TypePage;
    host.inputs.outputFolder = QFile::decodeName(m_root + "sorted");
    RunSort(host);
    QCOMPARE(ReadTestFile(QFile::decodeName(m_root + "sorted/.txt/a.txt")), QByteArray("lower"));
    QCOMPARE(ReadTestFile(QFile::decodeName(m_root + "sorted/.txt/A.txt")), QByteArray("upper"));
    QCOMPARE(host.reports.size(), 1);
    QCOMPARE(host.reports.first().placed, 2);
}

// Photos -> photos: the folder reached through the link is the same folder, its files the same files.
void TestFolderScan::oneFileReachedThroughACaseTwinFolderIsListedOnce() {
    MakeFolder(m_root + "photos");
    MakeFile(m_root + "photos/x.jpg");
    MakeLink("photos", m_root + "Photos");
    FileListModel model;
    CountingScanHost host;
    ScanChosenFolder({m_root + "photos", false, false, QString()}, model, host);
    ScanChosenFolder({m_root + "Photos", false, false, QString()}, model, host);
    QCOMPARE(model.paths(), QByteArrayList{m_root + "photos/x.jpg"});
}

// Where the machine can mount one, a vfat file system: two spellings of one name reach the same file there.
void TestFolderScan::aFileSystemIgnoringCaseListsEachFileOnce() {
    const QByteArray mountPoint = m_root + "vfat";
    const QString image = QFile::decodeName(m_root + "vfat.img");
    MakeFolder(mountPoint);
    const int made = QProcess::execute(u"sh"_s, {u"-c"_s, u"truncate -s 4M '%1' && mkfs.vfat -n CASE '%1' && "
                                                          "mount -o loop '%1' '%2' && touch '%2/Photo.jpg'"_s.arg(
                                                              image, QFile::decodeName(mountPoint))});
    if (made != 0) {
        QSKIP("no vfat file system can be mounted here (needs root, loop devices and mkfs.vfat)");
    }
    const auto unmount = qScopeGuard([&] { QProcess::execute(u"umount"_s, {QFile::decodeName(mountPoint)}); });
    FileListModel model;
    model.AppendUnique({mountPoint + "/Photo.jpg", mountPoint + "/PHOTO.JPG", mountPoint + "/photo.jpg"});
    CountingScanHost host;
    ScanChosenFolder({mountPoint, false, false, QString()}, model, host);
    QCOMPARE(model.paths(), QByteArrayList{mountPoint + "/Photo.jpg"});
}

QTEST_GUILESS_MAIN(TestFolderScan)
#include "test_folder_scan.moc"

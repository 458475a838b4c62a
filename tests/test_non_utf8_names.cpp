#include "core/CriterionPage.h"
#include "core/TextBytes.h"
#include "engine/SortRun.h"
#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"
#include "filelist/ListFile.h"
#include "testsupport/CountingScanHost.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

// A file whose name is not valid UTF-8 (common after unpacking archives made on other systems) goes through the
// whole way a user takes: scanned into the list, exported, imported, and moved by a sort, byte for byte.
class TestNonUtf8Names : public QObject {
    Q_OBJECT
private slots:
    void scanExportImportAndMove() {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        const QByteArray name = "\xb2\xe2\xca\xd4.txt"; // "测试" in a legacy Chinese encoding
        MakeFolder(root + "/in");
        MakeFile(root + "/in/" + name, "legacy name");

        FileListModel scanned;
        CountingScanHost scanHost;
        FolderScanner(scanned, scanHost).scanTree(root + "/in/");
        QCOMPARE(scanned.paths(), QByteArrayList{root + "/in/" + name});
        QVERIFY(DisplayText(scanned.at(0)).contains(QChar::ReplacementCharacter));

        QVERIFY(!ExportListFile(root + "/list.lst", scanned).error.failed());
        QCOMPARE(ReadTestFile(QFile::decodeName(root + "/list.lst")), root + "/in/" + name + "\r\n");
        FileListModel imported;
        QVERIFY(!ImportListFile(root + "/list.lst", imported, scanHost).failed());
        QCOMPARE(imported.paths(), scanned.paths());

        FakeRunHost host;
        host.files = imported.paths();
        host.inputs.page = TypePage;
        host.inputs.outputFolder = dir.filePath(u"out"_s);
        host.inputs.move = true;
        RunSort(host);
        QCOMPARE(host.messages, QStringList{u"分拣工作完成！"_s});
        struct stat moved {};
        QVERIFY(::stat((root + "/out/.txt/" + name).constData(), &moved) == 0);
        QCOMPARE(qint64(moved.st_size), qint64(11));
        QVERIFY(::access((root + "/in/" + name).constData(), F_OK) != 0);
        RemoveTree(root);
    }
};

QTEST_GUILESS_MAIN(TestNonUtf8Names)
#include "test_non_utf8_names.moc"

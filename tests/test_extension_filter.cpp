#include "core/CriterionPage.h"
#include "engine/SortRun.h"
#include "engine/criteria/ExtensionFilter.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/OutputTree.h"
#include "testsupport/PictureTypes.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
enum class Mode { None, Include, Exclude };

ExtensionFilterState typeListFilter(Mode mode, const QStringList& typeList) {
    ExtensionFilterState filter;
    filter.include = mode == Mode::Include;
    filter.exclude = mode == Mode::Exclude;
    filter.typeList = typeList;
    return filter;
}
} // namespace

// Which files take part in a run: the type list on every page but the image page, the picture types there.
class TestExtensionFilter : public QObject {
    Q_OBJECT
private slots:
    void typeList_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("typeList");
        QTest::addColumn<QByteArray>("extension");
        QTest::addColumn<bool>("accepted");

        const auto row = [](const char* name, Mode mode, const QStringList& list, const QByteArray& extension,
                            bool accepted) { QTest::newRow(name) << int(mode) << list << extension << accepted; };
        const QStringList tmp{u"*.tmp"_s};
        row("exclude *.tmp drops .tmp", Mode::Exclude, tmp, ".tmp", false);
        row("exclude *.tmp drops .TMP", Mode::Exclude, tmp, ".TMP", false);
        row("exclude *.tmp keeps .txt", Mode::Exclude, tmp, ".txt", true);
        const QStringList pictures{u"*.jpg"_s, u"*.PNG"_s};
        row("include keeps .JPG against *.jpg", Mode::Include, pictures, ".JPG", true);
        row("include keeps .png against *.PNG", Mode::Include, pictures, ".png", true);
        row("include drops .gif", Mode::Include, pictures, ".gif", false);
        row("*.jp is not *.jpg", Mode::Include, {u"*.jp"_s}, ".jpg", false);
        row("*.tar.gz never meets .gz", Mode::Include, {u"*.tar.gz"_s}, ".gz", false);
        row("include drops a file without extension", Mode::Include, pictures, "", false);
        row("exclude keeps a file without extension", Mode::Exclude, tmp, "", true);
        row("include entry * takes a file without extension", Mode::Include, {u"*"_s}, "", true);
        row("exclude entry * drops a file without extension", Mode::Exclude, {u"*"_s}, "", false);
        row("exclude with an empty list drops nothing", Mode::Exclude, {}, ".tmp", true);
        row("no mode keeps everything", Mode::None, tmp, ".tmp", true);
        row("asterisk is no wildcard", Mode::Include, {u"*.*"_s}, ".txt", false);
        row("non-ASCII letters compare ignoring case", Mode::Include, {u"*.ÄRM"_s}, ".ärm", true);
    }
    void typeList() {
        QFETCH(int, mode);
        QFETCH(QStringList, typeList);
        QFETCH(QByteArray, extension);
        QFETCH(bool, accepted);
        QCOMPARE(ExtensionFilterAccepts(typeListFilter(Mode(mode), typeList), extension), accepted);
    }

    void pictureTypes_data() {
        QTest::addColumn<int>("untickedItem"); // -1: all ticked
        QTest::addColumn<QByteArray>("extension");
        QTest::addColumn<bool>("accepted");

        const char* accepted[] = {".jpg", ".JPEG", ".bmp", ".gif",  ".png",  ".tif",  ".jp",   ".jpe", ".j",
                                  ".g",   ".ti",   ".bm",  ".webp", ".heic", ".HEIF", ".avif", ""};
        for (const char* extension : accepted) {
            QTest::addRow("all ticked: a%s accepted", extension) << -1 << QByteArray(extension) << true;
        }
        QTest::newRow("all ticked: a.tiff rejected") << -1 << QByteArray(".tiff") << false;
        QTest::newRow("all ticked: a.jxl rejected") << -1 << QByteArray(".jxl") << false;
        QTest::newRow("first unticked: a.jpg rejected") << 0 << QByteArray(".jpg") << false;
        QTest::newRow("first unticked: a.jpeg rejected") << 0 << QByteArray(".jpeg") << false;
        QTest::newRow("first unticked: a.png accepted") << 0 << QByteArray(".png") << true;
    }
    void pictureTypes() {
        QFETCH(int, untickedItem);
        QFETCH(QByteArray, extension);
        QFETCH(bool, accepted);
        ExtensionFilterState filter;
        filter.pictureTypes = StandardPictureTypes();
        if (untickedItem >= 0) {
            filter.pictureTypes[untickedItem].ticked = false;
        }
        QCOMPARE(PictureTypeAccepts(filter, extension), accepted);
    }

    void nothingTickedRejectsEvenNoExtension() {
        ExtensionFilterState filter;
        filter.pictureTypes = StandardPictureTypes();
        for (PictureType& type : filter.pictureTypes) {
            type.ticked = false;
        }
        QVERIFY(!PictureTypeAccepts(filter, ""));
    }

    // The run reads the filter again whenever it processed events, so a change made while it runs applies from the
    // next file.
    void aChangeDuringARunAppliesFromTheNextFile() {
        QTemporaryDir dir;
        FakeRunHost host;
        host.inputs.page = TypePage;
        host.inputs.outputFolder = dir.filePath(u"out"_s);
        for (const QString& name : {u"a.txt"_s, u"b.txt"_s, u"c.doc"_s}) {
            host.files.append(WriteTestFile(dir.filePath(u"src/"_s + name)));
        }
        host.onProcessEvents = [&host] {
            host.inputs.filter.exclude = true;
            host.inputs.filter.typeList = {u"*.TXT"_s};
        };
        RunSort(host);
        QCOMPARE(TreeOf(host.inputs.outputFolder),
                 (QStringList{u".doc/"_s, u".doc/c.doc"_s, u".txt/"_s, u".txt/a.txt"_s}));
        QCOMPARE(host.progress, (QList<int>{0, 66, 100, 0}));
    }
};

QTEST_GUILESS_MAIN(TestExtensionFilter)
#include "test_extension_filter.moc"

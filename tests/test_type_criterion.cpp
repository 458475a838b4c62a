#include "core/CriterionPage.h"
#include "engine/SortRun.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/OutputTree.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Page 2: one folder per extension, spelt as the file spells it.
class TestTypeCriterion : public QObject {
    Q_OBJECT
private slots:
    void sort_data() {
        QTest::addColumn<QStringList>("sources"); // paths below the source folder
        QTest::addColumn<QStringList>("tree");

        QTest::newRow("same extension, one folder")
            << QStringList{u"report.doc"_s, u"memo.doc"_s, u"data.xls"_s}
            << QStringList{u".doc/"_s, u".doc/memo.doc"_s, u".doc/report.doc"_s, u".xls/"_s, u".xls/data.xls"_s};
        QTest::newRow("letter case makes two folders")
            << QStringList{u"photo.jpg"_s, u"IMG_001.JPG"_s}
            << QStringList{u".JPG/"_s, u".JPG/IMG_001.JPG"_s, u".jpg/"_s, u".jpg/photo.jpg"_s};
        QTest::newRow("only the last extension counts")
            << QStringList{u"archive.tar.gz"_s} << QStringList{u".gz/"_s, u".gz/archive.tar.gz"_s};
        QTest::newRow("no extension goes into the output folder")
            << QStringList{u"README"_s} << QStringList{u"README"_s};
        QTest::newRow("a dot in a folder of the path does not count")
            << QStringList{u"data.old/README"_s} << QStringList{u"README"_s};
        QTest::newRow("a leading dot is all extension")
            << QStringList{u".profile"_s} << QStringList{u".profile/"_s, u".profile/.profile"_s};
        QTest::newRow("a final dot is the output folder") << QStringList{u"notes."_s} << QStringList{u"notes."_s};
    }
    void sort() {
        QFETCH(QStringList, sources);
        QFETCH(QStringList, tree);
        QTemporaryDir dir;
        FakeRunHost host;
        host.inputs.page = TypePage;
        host.inputs.outputFolder = dir.filePath(u"out"_s);
        for (const QString& name : sources) {
            host.files.append(WriteTestFile(dir.filePath(u"src/"_s + name), name.toUtf8()));
        }
        RunSort(host);
        QCOMPARE(host.messages, QStringList{u"分拣工作完成！"_s});
        QCOMPARE(TreeOf(host.inputs.outputFolder), tree);
    }

    void includeModeMakesOnlyTheListedFolder() {
        QTemporaryDir dir;
        FakeRunHost host;
        host.inputs.page = TypePage;
        host.inputs.outputFolder = dir.filePath(u"out"_s);
        for (const QString& name : {u"a.JPG"_s, u"b.jpg"_s, u"c.png"_s, u"d"_s}) {
            host.files.append(WriteTestFile(dir.filePath(u"src/"_s + name)));
        }
        host.inputs.filter.include = true;
        host.inputs.filter.typeList = {u"*.jpg"_s};
        RunSort(host);
        QCOMPARE(TreeOf(host.inputs.outputFolder),
                 (QStringList{u".JPG/"_s, u".JPG/a.JPG"_s, u".jpg/"_s, u".jpg/b.jpg"_s}));
    }
};

QTEST_GUILESS_MAIN(TestTypeCriterion)
#include "test_type_criterion.moc"

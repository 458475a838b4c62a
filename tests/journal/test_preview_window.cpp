#include "TreeSnapshot.h"
#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// The rows a plan's table shows, each as its four cells joined by " | ".
QStringList rowsOf(const QTableView& grid) {
    const QAbstractItemModel& model = *grid.model();
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column) {
            cells.append(model.index(row, column).data().toString());
        }
        rows.append(cells.join(u" | "_s));
    }
    return rows;
}
} // namespace

// The preview: the plan of the run that the start button would make, shown without touching anything.
class TestPreviewWindow : public WindowTest {
    Q_OBJECT
private:
    void sortByKeyword(const QString& keyword, const QString& policy) {
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        control<QLineEdit>(Control::EdtKeys)->setText(keyword);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        control<QRadioButton>(policy)->click();
    }
    QByteArray settingsFile() const { return QFile::encodeName(configFolder() + u"/Varnoth.ini"_s); }

private slots:
    void thePreviewShowsThePlanAndChangesNothing() {
        const QByteArray src = QFile::encodeName(path(u"src"_s));
        mainWindow().fileList().AppendUnique({
            WriteTestFile(path(u"src/a/photo.jpg"_s)),
            WriteTestFile(path(u"src/b/photo.jpg"_s)),
            WriteTestFile(path(u"src/other.txt"_s)),
            WriteTestFile(path(u"src/photo_gone.jpg"_s)),
        });
        MakeFile(src + "/photo\xff<b>.jpg");
        mainWindow().fileList().AppendUnique({src + "/photo\xff<b>.jpg"});
        QVERIFY(QFile::remove(path(u"src/photo_gone.jpg"_s)));
        sortByKeyword(u"photo"_s, Control::RbSkip);
        const QByteArray root = QFile::encodeName(testFolder());
        const TreeSnapshot before = SnapshotOf(root);
        const QString outDirText = control<QLineEdit>(Control::EdtOutDir)->text();

        QStringList allRows, skipRows;
        QString summary;
        onNextModal([&](QWidget* modal) {
            QCOMPARE(modal->objectName(), Control::TfrmPreview);
            QCOMPARE(modal->windowTitle(), u"分拣预览 - Varnoth"_s);
            auto* grid = FindControl<QTableView>(*modal, Control::GridPlan);
            allRows = rowsOf(*grid);
            summary = FindControl<QLabel>(*modal, Control::LblPlanSummary)->text();
            auto* filter = FindControl<QComboBox>(*modal, Control::CmbPlanFilter);
            filter->setCurrentIndex(filter->findText(u"跳过"_s));
            skipRows = rowsOf(*grid);
            FindControl<QPushButton>(*modal, Control::BtnPlanClose)->click();
        });
        QTest::mouseClick(control(Control::BtnPreview), Qt::LeftButton);

        const QString s = path(u"src"_s), o = path(u"out/photo"_s);
        QCOMPARE(allRows, (QStringList{
                              s + u"/a/photo.jpg | "_s + o + u"/photo.jpg | 复制 | "_s,
                              s + u"/b/photo.jpg | "_s + o + u"/photo.jpg | 跳过 | "_s,
                              s + u"/other.txt |  | 不符合条件 | "_s,
                              s + u"/photo_gone.jpg | "_s + o + u"/photo_gone.jpg | 无法处理 | 文件已不存在"_s,
                              s + u"/photo\uFFFD<b>.jpg | "_s + o + u"/photo\uFFFD<b>.jpg | 复制 | "_s,
                          }));
        QCOMPARE(skipRows, QStringList{allRows[1]});
        QCOMPARE(summary, u"复制 2 个，跳过 1 个，不符合条件 1 个，无法处理 1 个。\n"
                          u"无法处理 1 个，将分拣 2 个，因同名不处理 1 个，不符合条件 1 个。"_s);
        QCOMPARE(control<QLineEdit>(Control::EdtOutDir)->text(), outDirText);
        const QByteArray differences = DifferencesBetween(before, SnapshotOf(root));
        QVERIFY2(differences.isEmpty(), differences.constData());
        QVERIFY(!QFile::exists(QFile::decodeName(settingsFile())));
    }

    void aPlanWithNothingToDoSaysSo() {
        mainWindow().fileList().AppendUnique({WriteTestFile(path(u"src/other.txt"_s))});
        sortByKeyword(u"photo"_s, Control::RbSkip);
        QString summary;
        onNextModal([&](QWidget* modal) {
            summary = FindControl<QLabel>(*modal, Control::LblPlanSummary)->text();
            FindControl<QPushButton>(*modal, Control::BtnPlanClose)->click();
        });
        QTest::mouseClick(control(Control::BtnPreview), Qt::LeftButton);
        QCOMPARE(summary, u"没有要处理的文件：这次分拣不会复制或移动任何文件。不符合条件 1 个。\n"
                          u"无法处理 0 个，将分拣 0 个，因同名不处理 0 个，不符合条件 1 个。"_s);
    }

    void theChecksAndMessagesAreTheStartButtons_data() {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<bool>("emptyTypeFilter");
        QTest::newRow("no files") << false << u"photo"_s << false;
        QTest::newRow("no keywords") << true << u""_s << false;
        QTest::newRow("type filter without types") << true << u"photo"_s << true;
    }
    void theChecksAndMessagesAreTheStartButtons() {
        QFETCH(bool, listed);
        QFETCH(QString, keywords);
        QFETCH(bool, emptyTypeFilter);
        if (listed) {
            mainWindow().fileList().AppendUnique({WriteTestFile(path(u"src/photo.jpg"_s))});
        }
        sortByKeyword(keywords, Control::RbSkip);
        if (emptyTypeFilter) {
            control<QCheckBox>(Control::ChkInclude)->setChecked(true);
            control<QListWidget>(Control::ListBox2)->clear();
        }
        ShownMessage fromStart, fromPreview;
        answerNextMessage(&fromStart);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        answerNextMessage(&fromPreview);
        QTest::mouseClick(control(Control::BtnPreview), Qt::LeftButton);
        QVERIFY(!fromStart.text.isEmpty());
        QCOMPARE(fromPreview.text, fromStart.text);
        QVERIFY(!QFile::exists(path(u"out"_s)));
    }

    // The preview's start button runs with the window's inputs as they are; during the run the preview, the undo and
    // the history are locked like the other controls.
    void thePreviewsStartButtonRunsTheSort() {
        mainWindow().fileList().AppendUnique({WriteTestFile(path(u"src/photo.jpg"_s), "new")});
        WriteTestFile(path(u"out/photo/photo.jpg"_s), "old");
        sortByKeyword(u"photo"_s, Control::RbAsk);
        QStringList rows;
        onNextModal([&](QWidget* modal) {
            rows = rowsOf(*FindControl<QTableView>(*modal, Control::GridPlan));
            FindControl<QPushButton>(*modal, Control::BtnPlanRun)->click();
        });
        ShownMessage question, done;
        QList<bool> enabledDuringRun;
        answerNextMessage(&question, QMessageBox::Yes, [&] {
            for (const QString& name : {Control::BtnPreview, Control::BtnUndo, Control::BtnHistory, Control::BtnCopy}) {
                enabledDuringRun.append(control(name)->isEnabled());
            }
            answerNextMessage(&done);
        });
        QTest::mouseClick(control(Control::BtnPreview), Qt::LeftButton);
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows[0].endsWith(u" | 询问 | "_s));
        QCOMPARE(enabledDuringRun, (QList<bool>{false, false, false, false}));
        QVERIFY(done.text.startsWith(u"分拣工作完成！"_s));
        QCOMPARE(ReadTestFile(path(u"out/photo/photo.jpg"_s)), "new");
        QVERIFY(control(Control::BtnPreview)->isEnabled());
        QVERIFY(control(Control::BtnHistory)->isEnabled());
    }
};

QTEST_MAIN(TestPreviewWindow)
#include "test_preview_window.moc"

#include "TreeSnapshot.h"
#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "testsupport/CompletePlan.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TestImages.h"
#include "testsupport/WindowTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
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
// The rows a plan's table shows, each as its four cells joined by " | ", or their tooltips.
QStringList rowsOf(const QTableView& grid, int role = Qt::DisplayRole) {
    const QAbstractItemModel& model = *grid.model();
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column) {
            cells.append(model.index(row, column).data(role).toString());
        }
        rows.append(cells.join(u" | "_s));
    }
    return rows;
}

// How a row of the reasons' table sets the window up.
enum class Setup {
    WidthAtLeast1920,
    ModifiedBefore2013,
    OnlyJpgTypes,
    KeywordNone,
    TypeSkipping,
    TypeAsking,
    TypeAskingUnlessIdentical
};

// When a preview closes.
enum class Closing { WhenComplete, PreviewEarly, WindowEarly };
} // namespace
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Closing)

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

        QStringList allRows, skipRows, tooltips;
        QString summary;
        Qt::TextElideMode elided = Qt::ElideNone;
        onNextModal([&](QWidget* modal) {
            QCOMPARE(modal->objectName(), Control::TfrmPreview);
            QVERIFY(WaitForCompletePlan(*modal));
            QCOMPARE(modal->windowTitle(), u"分拣预览 - Varnoth"_s);
            auto* grid = FindControl<QTableView>(*modal, Control::GridPlan);
            allRows = rowsOf(*grid);
            tooltips = rowsOf(*grid, Qt::ToolTipRole);
            elided = grid->textElideMode();
            summary = FindControl<QLabel>(*modal, Control::LblPlanSummary)->text();
            auto* filter = FindControl<QComboBox>(*modal, Control::CmbPlanFilter);
            filter->setCurrentIndex(filter->findText(u"跳过"_s));
            skipRows = rowsOf(*grid);
            FindControl<QPushButton>(*modal, Control::BtnPlanClose)->click();
        });
        QTest::mouseClick(control(Control::BtnPreview), Qt::LeftButton);

        // Sources from the folder they share, targets from the output folder, and the whole paths as tooltips.
        QCOMPARE(allRows, (QStringList{
                              u"a/photo.jpg | photo/photo.jpg | 复制 | "_s,
                              u"b/photo.jpg | photo/photo.jpg | 跳过 | 目标位置已有同名文件"_s,
                              u"other.txt |  | 不符合条件 | 文件名中没有任何关键字"_s,
                              u"photo_gone.jpg | photo/photo_gone.jpg | 无法处理 | 文件已不存在"_s,
                              u"photo\uFFFD<b>.jpg | photo/photo\uFFFD<b>.jpg | 复制 | "_s,
                          }));
        const QString s = path(u"src"_s), o = path(u"out/photo"_s);
        QCOMPARE(tooltips, (QStringList{
                               s + u"/a/photo.jpg | "_s + o + u"/photo.jpg |  | "_s,
                               s + u"/b/photo.jpg | "_s + o + u"/photo.jpg |  | 目标位置已有同名文件"_s,
                               s + u"/other.txt |  |  | 文件名中没有任何关键字"_s,
                               s + u"/photo_gone.jpg | "_s + o + u"/photo_gone.jpg |  | 文件已不存在"_s,
                               s + u"/photo\uFFFD<b>.jpg | "_s + o + u"/photo\uFFFD<b>.jpg |  | "_s,
                           }));
        QCOMPARE(elided, Qt::ElideLeft);
        QCOMPARE(skipRows, QStringList{allRows[1]});
        QCOMPARE(summary,
                 u"输出文件夹："_s + path(u"out/"_s) +
                     u"\n无法处理 1 个，复制 2 个，跳过 1 个，不符合条件 1 个。\n"
                     u"无法处理 1 个，将分拣 2 个，因同名不处理 1 个，内容相同 0 个，已过滤 0 个，不符合条件 1 个。"_s);
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
            QVERIFY(WaitForCompletePlan(*modal));
            summary = FindControl<QLabel>(*modal, Control::LblPlanSummary)->text();
            FindControl<QPushButton>(*modal, Control::BtnPlanClose)->click();
        });
        QTest::mouseClick(control(Control::BtnPreview), Qt::LeftButton);
        QCOMPARE(summary,
                 u"输出文件夹："_s + path(u"out/"_s) +
                     u"\n没有要处理的文件：这次分拣不会复制或移动任何文件。不符合条件 1 个。\n"
                     u"无法处理 0 个，将分拣 0 个，因同名不处理 0 个，内容相同 0 个，已过滤 0 个，不符合条件 1 个。"_s);
    }

    // Every row that does not act says why: the rule the file missed, the filter that passed it over, a name taken
    // at the destination, or that a listed file is gone (as a list kept from before a move names it).
    void everyRowThatDoesNotActSaysWhy_data() {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("name"); // in src/: *.png pictures are 640 × 480, other files text modified in 2021
        QTest::addColumn<bool>("gone");
        QTest::addColumn<QString>("row");
        const auto row = [](const char* title, Setup setup, const QString& name, bool gone, const QString& shown) {
            QTest::newRow(title) << setup << name << gone << shown;
        };
        row("narrower", Setup::WidthAtLeast1920, u"small.png"_s, false,
            u"small.png |  | 不符合条件 | 宽度 640 < 1920"_s);
        row("not a picture", Setup::WidthAtLeast1920, u"notes.jpg"_s, false,
            u"notes.jpg |  | 不符合条件 | 不是图片文件（无法读取尺寸）"_s);
        row("a picture type not ticked", Setup::WidthAtLeast1920, u"photo.jxl"_s, false,
            u"photo.jxl |  | 已过滤 | 类型 .jxl 不在勾选的图片类型中"_s);
        row("modified later", Setup::ModifiedBefore2013, u"old.txt"_s, false,
            u"old.txt |  | 不符合条件 | 修改时间 2021-3-4 晚于 2013-5-6"_s);
        row("a type not to sort", Setup::OnlyJpgTypes, u"photo.webp"_s, false,
            u"photo.webp |  | 已过滤 | 类型 .webp 不在只分拣的类型中"_s);
        row("gone, not matching", Setup::KeywordNone, u"moved.txt"_s, true,
            u"moved.txt |  | 不符合条件 | 文件不存在"_s);
        row("gone, filtered", Setup::OnlyJpgTypes, u"moved.txt"_s, true, u"moved.txt |  | 已过滤 | 文件不存在"_s);
        row("skipped", Setup::TypeSkipping, u"a.txt"_s, false, u"a.txt | .txt/a.txt | 跳过 | 目标位置已有同名文件"_s);
        row("asked", Setup::TypeAsking, u"a.txt"_s, false, u"a.txt | .txt/a.txt | 询问 | 目标位置已有同名文件"_s);
        row("the same bytes there", Setup::TypeAskingUnlessIdentical, u"a.txt"_s, false,
            u"a.txt | .txt/a.txt | 相同 | 目标位置已有内容相同的文件"_s);
    }
    void everyRowThatDoesNotActSaysWhy() {
        QFETCH(Setup, setup);
        QFETCH(QString, name);
        QFETCH(bool, gone);
        QFETCH(QString, row);
        const QString file = path(u"src/"_s + name);
        if (name.endsWith(u".png"_s)) {
            QVERIFY(WriteTestImage(file, "png", 640, 480));
        } else {
            WriteTestFile(file, "text");
            QVERIFY(SetModificationTime(file, QDateTime(QDate(2021, 3, 4), QTime(10, 0))));
        }
        mainWindow().fileList().AppendUnique({QFile::encodeName(file)});
        if (gone) {
            QVERIFY(QFile::remove(file));
        }
        WriteTestFile(path(u"out/.txt/a.txt"_s), "there before");
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        switch (setup) {
        case Setup::WidthAtLeast1920:
            control<QTabWidget>(Control::PageControl1)->setCurrentIndex(ImagePage);
            control<QRadioButton>(Control::RbPicW)->click();
            control<QComboBox>(Control::CmbPic)->setCurrentIndex(0);
            control<QLineEdit>(Control::EdtPic)->setText(u"1920"_s);
            break;
        case Setup::ModifiedBefore2013:
            control<QTabWidget>(Control::PageControl1)->setCurrentIndex(DatePage);
            control<QRadioButton>(Control::RbModifyTime)->click();
            control<QComboBox>(Control::CmbFileDate)->setCurrentIndex(0);
            control<QDateEdit>(Control::DtDate)->setDate(QDate(2013, 5, 6));
            break;
        case Setup::OnlyJpgTypes:
            control<QTabWidget>(Control::PageControl1)->setCurrentIndex(TypePage);
            control<QCheckBox>(Control::ChkInclude)->setChecked(true);
            control<QListWidget>(Control::ListBox2)->clear();
            control<QListWidget>(Control::ListBox2)->addItem(u"*.jpg"_s);
            break;
        case Setup::KeywordNone:
            sortByKeyword(u"photo"_s, Control::RbSkip);
            break;
        case Setup::TypeSkipping:
        case Setup::TypeAsking:
            control<QTabWidget>(Control::PageControl1)->setCurrentIndex(TypePage);
            control<QRadioButton>(setup == Setup::TypeAsking ? Control::RbAsk : Control::RbSkip)->click();
            break;
        case Setup::TypeAskingUnlessIdentical:
            WriteTestFile(path(u"out/.txt/a.txt"_s), "text");
            control<QTabWidget>(Control::PageControl1)->setCurrentIndex(TypePage);
            control<QRadioButton>(Control::RbAsk)->click();
            control<QCheckBox>(Control::ChkSkipIdentical)->click();
            break;
        }
        QStringList rows;
        onNextModal([&](QWidget* modal) {
            QVERIFY(WaitForCompletePlan(*modal));
            rows = rowsOf(*FindControl<QTableView>(*modal, Control::GridPlan));
            FindControl<QPushButton>(*modal, Control::BtnPlanClose)->click();
        });
        QTest::mouseClick(control(Control::BtnPreview), Qt::LeftButton);
        QCOMPARE(rows, QStringList{row});
    }

    // A long list: the preview opens while its plan is under way, with a line that counts the files looked at and no
    // way to start the run yet, and fills to the rows of the whole plan in the order of the list, also while one
    // action is chosen. Closed before the plan is complete, it ends the plan and takes no more rows, and the next
    // preview shows the whole plan; the main window may close meanwhile, as a termination signal closes it.
    void aLongListFillsThePreviewWhileItIsPlanned_data() {
        QTest::addColumn<QString>("shown"); // the choice of actions while it fills
        QTest::addColumn<Closing>("closing");
        QTest::newRow("every step") << u"全部步骤"_s << Closing::WhenComplete;
        QTest::newRow("copies only") << u"复制"_s << Closing::WhenComplete;
        QTest::newRow("closed before complete") << u"全部步骤"_s << Closing::PreviewEarly;
        QTest::newRow("the window closed meanwhile") << u"全部步骤"_s << Closing::WindowEarly;
    }
    void aLongListFillsThePreviewWhileItIsPlanned() {
        QFETCH(QString, shown);
        QFETCH(Closing, closing);
        constexpr int kFiles = 6000;
        QByteArrayList files;
        QStringList expected;
        for (int i = 0; i < kFiles; ++i) {
            // The second half lies in another folder: the folder the sources are shown from changes as rows come.
            const QString name = u"%1/file_%2_kw%3.txt"_s.arg(i < kFiles / 2 ? u"a"_s : u"b"_s).arg(i).arg(i % 4);
            files.append(WriteTestFile(path(u"src/"_s + name)));
            const QString copied = u"%1 | kw%2/%3 | 复制 | "_s.arg(name).arg(i % 4).arg(name.section(u'/', -1));
            const QString missed = name + u" |  | 不符合条件 | 文件名中没有任何关键字"_s;
            if (i % 4 != 0 || shown == u"全部步骤"_s) {
                expected.append(i % 4 == 0 ? missed : copied);
            }
        }
        mainWindow().fileList().AppendUnique(files);
        sortByKeyword(u"kw1 kw2 kw3"_s, Control::RbSkip);

        QString firstSummary, summary;
        bool startableAtFirst = true;
        int firstRows = -1, rowsAtClose = -1, rowsLater = -1;
        QStringList rows;
        onNextModal([&](QWidget* modal) {
            auto* grid = FindControl<QTableView>(*modal, Control::GridPlan);
            const auto* summaryLine = FindControl<QLabel>(*modal, Control::LblPlanSummary);
            firstSummary = summaryLine->text();
            firstRows = grid->model()->rowCount();
            startableAtFirst = FindControl<QPushButton>(*modal, Control::BtnPlanRun)->isEnabled();
            auto* filter = FindControl<QComboBox>(*modal, Control::CmbPlanFilter);
            filter->setCurrentIndex(filter->findText(shown));
            if (closing == Closing::WindowEarly) {
                windows().closeAll();
                return;
            }
            if (closing == Closing::PreviewEarly) {
                FindControl<QPushButton>(*modal, Control::BtnPlanClose)->click();
                rowsAtClose = grid->model()->rowCount();
                QTest::qWait(300);
                rowsLater = grid->model()->rowCount();
                return;
            }
            QVERIFY(WaitForCompletePlan(*modal));
            rows = rowsOf(*grid);
            summary = summaryLine->text();
            FindControl<QPushButton>(*modal, Control::BtnPlanClose)->click();
        });
        QTest::mouseClick(control(Control::BtnPreview), Qt::LeftButton);

        const QString output = u"输出文件夹："_s + path(u"out/"_s) + u'\n';
        QVERIFY2(firstSummary.startsWith(output + u"正在预览：已查看 "_s) &&
                     firstSummary.endsWith(u" / 6000 个文件……"_s),
                 qPrintable(firstSummary));
        QVERIFY(!startableAtFirst);
        QVERIFY(firstRows < kFiles);
        if (closing == Closing::WindowEarly) {
            QVERIFY(!mainWindow().isVisible());
            QVERIFY(QFile::exists(QFile::decodeName(settingsFile())));
            return;
        }
        if (closing == Closing::PreviewEarly) {
            QCOMPARE(rowsLater, rowsAtClose);
            QVERIFY(rowsAtClose < kFiles);
            onNextModal([&](QWidget* modal) {
                QVERIFY(WaitForCompletePlan(*modal));
                rows = rowsOf(*FindControl<QTableView>(*modal, Control::GridPlan));
                modal->close();
            });
            QTest::mouseClick(control(Control::BtnPreview), Qt::LeftButton);
            QCOMPARE(rows, expected);
            return;
        }
        QCOMPARE(rows.size(), expected.size());
        QCOMPARE(rows, expected);
        QCOMPARE(summary, output + u"复制 4500 个，不符合条件 1500 个。\n"
                                   u"无法处理 0 个，将分拣 4500 个，因同名不处理 0 个，内容相同 0 个，已过滤 0 个，"
                                   u"不符合条件 1500 个。"_s);
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
            QVERIFY(WaitForCompletePlan(*modal));
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
        QVERIFY(rows[0].endsWith(u" | 询问 | 目标位置已有同名文件"_s));
        QCOMPARE(enabledDuringRun, (QList<bool>{false, false, false, false}));
        QVERIFY(done.text.startsWith(u"分拣工作完成！"_s));
        QCOMPARE(ReadTestFile(path(u"out/photo/photo.jpg"_s)), "new");
        QVERIFY(control(Control::BtnPreview)->isEnabled());
        QVERIFY(control(Control::BtnHistory)->isEnabled());
    }
};

QTEST_MAIN(TestPreviewWindow)
#include "test_preview_window.moc"

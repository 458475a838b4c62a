#include "JournalTestEnvironment.h"
#include "TreeSnapshot.h"
#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "journal/RunJournal.h"
#include "journal/Undo.h"
#include "testsupport/ShownText.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowSortChild.h"
#include "testsupport/WindowTest.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// 1 May 2024, 10:00 UTC, and an hour later for each further run.
constexpr qint64 kFirstStartNs = 1714557600LL * 1000000000LL;
constexpr qint64 kHourNs = 3600LL * 1000000000LL;

QString shownTime(qint64 startNs) {
    return QDateTime::fromMSecsSinceEpoch(startNs / 1000000).toString(u"yyyy-MM-dd HH:mm:ss"_s);
}
} // namespace

// The runs' history and their undo from the window: the undo button, the history window and their boxes.
class TestHistoryWindow : public WindowTest {
    Q_OBJECT
public:
    TestHistoryWindow() : WindowTest(Start::ByTheTest) {}

private:
    std::unique_ptr<JournalTestHome> m_home;

    // Copies each of names from src/ into out/ as a run started hours after the first would, journaled as the run
    // journals it. The journal is left without its end (an interrupted run) when finish is false; watch marks it as
    // a batch of a watched folder.
    void journalCopyRun(int hour, const QStringList& names, bool move, bool finish = true, bool watch = false) {
        RunHeader header;
        header.watch = watch;
        header.page = NamePage;
        header.move = move;
        header.startNs = kFirstStartNs + hour * kHourNs;
        header.listSize = int(names.size());
        header.outputFolder = QFile::encodeName(path(u"out/"_s));
        Fs::Result<std::unique_ptr<RunJournal>> started = RunJournal::start(m_home->journals(), header);
        QVERIFY(!started.failed() && !(*started)->error().failed());
        std::unique_ptr<RunJournal> journal = std::move(*started);
        for (const QString& name : names) {
            const QByteArray source = WriteTestFile(path(u"src/"_s + name), name.toUtf8());
            const QByteArray target = QFile::encodeName(path(u"out/"_s + name));
            QDir().mkpath(path(u"out"_s));
            const int step = journal->intent(move ? Transfer::Move : Transfer::Copy, NameUse::Free, source, target);
            QVERIFY(move ? ::rename(source.constData(), target.constData()) == 0
                         : QFile::copy(QFile::decodeName(source), QFile::decodeName(target)));
            move ? journal->renamed(step) : journal->done(step);
        }
        if (finish) {
            QVERIFY(!journal->finish({false, {0, int(names.size()), 0, 0}}).failed());
        }
    }

    // Answers the undo question with answer, recording its text, and then records the texts of the result box.
    void answerUndo(ShownMessage* question, QMessageBox::StandardButton answer, ShownBoxTexts* result = nullptr) {
        answerNextMessage(question, answer, [this, result] {
            if (result) {
                onNextModal([result](QWidget* modal) {
                    auto* box = qobject_cast<QMessageBox*>(modal);
                    QVERIFY(box);
                    *result = ShownTexts(*box);
                    box->button(QMessageBox::Ok)->click();
                });
            }
        });
    }

private slots:
    void init() {
        m_home = std::make_unique<JournalTestHome>();
        WindowTest::init();
    }
    void cleanup() {
        WindowTest::cleanup();
        m_home.reset();
    }

    void theUndoButtonTakesBackTheLastRunAndListsWhatItLeft() {
        journalCopyRun(0, {u"a.txt"_s}, false);
        journalCopyRun(1, {u"b.txt"_s, u"c<b>d.txt"_s}, false);
        WriteTestFile(path(u"out/c<b>d.txt"_s), "rewritten after the run");
        startWindows();
        auto* undo = control<QPushButton>(Control::BtnUndo);
        QCOMPARE(undo->text(), u"撤销上次分拣"_s);
        QVERIFY(undo->isEnabled());

        ShownMessage question;
        answerUndo(&question, QMessageBox::No);
        QTest::mouseClick(undo, Qt::LeftButton);
        QCOMPARE(question.icon, QMessageBox::Question);
        QCOMPARE(
            question.text,
            u"是否撤销这次分拣？\n%1，按文件名分拣，复制式分拣，共 2 个文件。\n输出文件夹：%2\n将删除 2 个复制出的文件"_s
                .arg(shownTime(kFirstStartNs + kHourNs), path(u"out"_s)));
        QCOMPARE(EntriesOf(path(u"out"_s)), (QStringList{u"a.txt"_s, u"b.txt"_s, u"c<b>d.txt"_s}));

        ShownBoxTexts result;
        answerUndo(&question, QMessageBox::Yes, &result);
        QTest::mouseClick(undo, Qt::LeftButton);
        QCOMPARE(result.text, u"撤销完成！\n已撤销 1 个文件，删除 0 个空文件夹，未能撤销 1 项。"_s);
        QCOMPARE(result.details, u"未能撤销的文件：\n%1：文件在分拣后已被改动"_s.arg(path(u"out/c<b>d.txt"_s)));
        QCOMPARE(EntriesOf(path(u"out"_s)), (QStringList{u"a.txt"_s, u"c<b>d.txt"_s}));

        // The next undo goes back to the run undone in part, says so, and names the run before it, which it does
        // not touch.
        answerUndo(&question, QMessageBox::Yes, &result);
        QTest::mouseClick(undo, Qt::LeftButton);
        QVERIFY(question.text.contains(shownTime(kFirstStartNs + kHourNs)));
        QVERIFY(question.text.contains(u"这次分拣已部分撤销，将重试未能撤销的 1 项。"_s));
        QCOMPARE(result.text, u"撤销完成！\n已撤销 0 个文件，删除 0 个空文件夹，未能撤销 1 项。\n"
                              u"这次分拣没有可以再撤销的内容。\n更早的一次分拣可在“分拣记录”中撤销：%1，按文件名分拣，"
                              u"复制式分拣，共 1 个文件。"_s.arg(shownTime(kFirstStartNs)));
        QCOMPARE(EntriesOf(path(u"out"_s)), (QStringList{u"a.txt"_s, u"c<b>d.txt"_s}));
        QVERIFY(undo->isEnabled());
    }

    // The undo of a whole move run made by the window puts every file back as it was, names, contents and times.
    void theUndoButtonPutsBackAMoveOfTenThousandFiles() {
        startWindows();
        QByteArrayList files;
        for (int i = 0; i < 10000; ++i) {
            files.append(WriteTestFile(path(u"src/%1/photo_%2.jpg"_s.arg(i % 7).arg(i)), QByteArray::number(i)));
        }
        mainWindow().fileList().AppendUnique(files);
        const QByteArray root = QFile::encodeName(testFolder());
        const TreeSnapshot before = SnapshotOf(root);
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        control<QLineEdit>(Control::EdtKeys)->setText(u"photo"_s);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        control<QRadioButton>(Control::RbMove)->click();
        ShownMessage done;
        answerNextMessage(&done);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QCOMPARE(EntriesOf(path(u"out/photo"_s)).size(), 10000);

        ShownMessage question;
        ShownBoxTexts result;
        answerUndo(&question, QMessageBox::Yes, &result);
        QTest::mouseClick(control(Control::BtnUndo), Qt::LeftButton);
        QVERIFY(question.text.endsWith(
            u"移动式分拣，共 10000 个文件。\n输出文件夹：%1\n将把 10000 个文件移回原处"_s.arg(path(u"out"_s))));
        QCOMPARE(result.text, u"撤销完成！\n已撤销 10000 个文件，删除 2 个空文件夹，未能撤销 0 项。"_s);
        const QByteArray differences = DifferencesBetween(before, SnapshotOf(root));
        QVERIFY2(differences.isEmpty(), differences.constData());
        QVERIFY(!control(Control::BtnUndo)->isEnabled());
    }

    // A window run killed part-way leaves a journal without its end and without a lock: the history shows it cut
    // off, and undoing it takes back what it did before it died.
    void aWindowRunKilledPartWayShowsAsInterrupted() {
        const QByteArray first = WriteTestFile(path(u"src/photo1.jpg"_s), "first");
        const QByteArray second = WriteTestFile(path(u"src/photo2.jpg"_s), "second");
        WriteTestFile(path(u"out/photo/photo2.jpg"_s), "there before");
        WindowSortChild child(QStringLiteral(WINDOW_SORT_HELPER), path(u"child"_s));
        child.onQuestion = [&] { ::kill(pid_t(child.processId), SIGKILL); };
        QVERIFY(!child.run(
            {u"--policy"_s, Control::RbAsk, u"--out"_s, path(u"out"_s), u"--text"_s, Control::EdtKeys + u"=photo"_s},
            {QFile::decodeName(first), QFile::decodeName(second)}));
        QCOMPARE(EntriesOf(path(u"out/photo"_s)), (QStringList{u"photo1.jpg"_s, u"photo2.jpg"_s}));
        startWindows();

        QStringList row;
        bool undoEnabled = false;
        ShownMessage question;
        ShownBoxTexts result;
        onNextModal([&](QWidget* modal) {
            auto* grid = FindControl<QTableWidget>(*modal, Control::GridRuns);
            for (int column = 1; column < grid->columnCount(); ++column) {
                row.append(grid->item(0, column)->text());
            }
            auto* undoRun = FindControl<QPushButton>(*modal, Control::BtnUndoRun);
            undoEnabled = undoRun->isEnabled();
            answerUndo(&question, QMessageBox::Yes, &result);
            QTest::mouseClick(undoRun, Qt::LeftButton);
            FindControl<QPushButton>(*modal, Control::BtnHistoryClose)->click();
        });
        QTest::mouseClick(control(Control::BtnHistory), Qt::LeftButton);
        QCOMPARE(row,
                 (QStringList{u"按文件名匹配关键字分拣"_s, u"复制"_s, u"2"_s, QString(), u"中断"_s, path(u"out/"_s)}));
        QVERIFY(undoEnabled);
        QVERIFY(result.text.startsWith(u"撤销完成！\n已撤销 1 个文件，删除 0 个空文件夹，未能撤销 0 项。"_s));
        QCOMPARE(EntriesOf(path(u"out/photo"_s)), QStringList{u"photo2.jpg"_s});
        QCOMPARE(ReadTestFile(path(u"out/photo/photo2.jpg"_s)), "there before");
    }

    // A run journaled elsewhere (the command line) while the window is in the background turns the undo button on
    // when the window comes back to the front.
    void theUndoButtonFollowsRunsJournaledElsewhere() {
        startWindows();
        mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow()));
        QVERIFY(!control(Control::BtnUndo)->isEnabled());
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        journalCopyRun(0, {u"a.txt"_s}, false);
        QVERIFY(!control(Control::BtnUndo)->isEnabled());
        mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow()));
        QTRY_VERIFY(control(Control::BtnUndo)->isEnabled());
    }

    // The undo button takes back the user's own runs: newer batches of a watched folder are passed over, and a
    // batch alone leaves it off.
    void theUndoButtonPassesOverWatchBatches() {
        journalCopyRun(0, {u"a.txt"_s}, false, true, true);
        startWindows();
        mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow()));
        QVERIFY(!control(Control::BtnUndo)->isEnabled());
    }

    void theHistoryListsEveryRunNewestFirstAndUndoesTheChosenOne() {
        journalCopyRun(0, {u"a.txt"_s}, false);
        journalCopyRun(1, {u"b.txt"_s}, true);
        journalCopyRun(2, {u"c.txt"_s, u"d.txt"_s}, true, false); // cut off: no end, no lock
        journalCopyRun(3, {u"e.txt"_s}, false);
        const QByteArrayList ids = m_home->journals().runIds();
        QCOMPARE(ids.size(), 4);
        QCOMPARE(UndoRun(m_home->journals(), ids[3]).status, UndoResult::Status::Done);
        startWindows();
        auto* history = control<QPushButton>(Control::BtnHistory);
        QCOMPARE(history->text(), u"分拣记录"_s);

        QString name, title;
        QList<QStringList> rows;
        QString counts, noCounts;
        QList<bool> undoEnabled; // for the undone run, the interrupted one, and the undone run after its undo
        QStringList statesAfterUndo;
        ShownMessage question;
        ShownBoxTexts result;
        onNextModal([&](QWidget* modal) {
            name = modal->objectName();
            title = modal->windowTitle();
            auto* grid = FindControl<QTableWidget>(*modal, Control::GridRuns);
            auto* undoRun = FindControl<QPushButton>(*modal, Control::BtnUndoRun);
            for (int row = 0; row < grid->rowCount(); ++row) {
                rows.append({grid->item(row, 0)->text(), grid->item(row, 1)->text(), grid->item(row, 2)->text(),
                             grid->item(row, 3)->text(), grid->item(row, 5)->text()});
            }
            counts = grid->item(2, 4)->text();
            noCounts = grid->item(1, 4)->text();
            grid->selectRow(0);
            undoEnabled.append(undoRun->isEnabled());
            grid->selectRow(1);
            undoEnabled.append(undoRun->isEnabled());
            answerUndo(&question, QMessageBox::Yes, &result);
            QTest::mouseClick(undoRun, Qt::LeftButton);
            for (int row = 0; row < grid->rowCount(); ++row) {
                statesAfterUndo.append(grid->item(row, 5)->text());
            }
            undoEnabled.append(undoRun->isEnabled()); // the undone run stays selected
            FindControl<QPushButton>(*modal, Control::BtnHistoryClose)->click();
        });
        QTest::mouseClick(history, Qt::LeftButton);
        QCOMPARE(name, Control::TfrmHistory);
        QCOMPARE(title, u"分拣记录 - Varnoth"_s);
        QCOMPARE(rows, (QList<QStringList>{
                           {shownTime(kFirstStartNs + 3 * kHourNs), u"按文件名分拣"_s, u"复制"_s, u"1"_s, u"已撤销"_s},
                           {shownTime(kFirstStartNs + 2 * kHourNs), u"按文件名分拣"_s, u"移动"_s, u"2"_s, u"中断"_s},
                           {shownTime(kFirstStartNs + kHourNs), u"按文件名分拣"_s, u"移动"_s, u"1"_s, u"完成"_s},
                           {shownTime(kFirstStartNs), u"按文件名分拣"_s, u"复制"_s, u"1"_s, u"完成"_s},
                       }));
        // Journaled without the counts of filtered and identical files, as journals were before they were kept.
        QCOMPARE(counts, u"失败 0，已分拣 1，因同名未处理 0，内容相同 -，已过滤 -，不符合条件 0"_s);
        QCOMPARE(noCounts, QString());
        // An undone run cannot be undone again; the interrupted one can.
        QCOMPARE(undoEnabled, (QList<bool>{false, true, false}));
        QVERIFY(question.text.contains(u"移动式分拣，共 2 个文件"_s));
        QCOMPARE(result.text, u"撤销完成！\n已撤销 2 个文件，删除 0 个空文件夹，未能撤销 0 项。"_s);
        QCOMPARE(statesAfterUndo, (QStringList{u"已撤销"_s, u"已撤销"_s, u"完成"_s, u"完成"_s}));
        QCOMPARE(EntriesOf(path(u"src"_s)), (QStringList{u"a.txt"_s, u"c.txt"_s, u"d.txt"_s, u"e.txt"_s}));
        QCOMPARE(EntriesOf(path(u"out"_s)), (QStringList{u"a.txt"_s, u"b.txt"_s}));
    }

    // A run undone in part shows so, with what is left, beside its output folder; a double click opens its steps
    // in the preview's table, read only, with what became of each, their targets below the output folder that the
    // summary names.
    void aRunsStepsOpenFromTheHistory() {
        journalCopyRun(0, {u"a.txt"_s, u"b.txt"_s}, false);
        WriteTestFile(path(u"out/b.txt"_s), "changed since");
        QCOMPARE(UndoRun(m_home->journals(), m_home->journals().runIds().first()).items.size(), 1);
        startWindows();
        QStringList row, steps;
        QString stepsTitle, stepsSummary;
        bool canRun = true;
        onNextModal([&](QWidget* history) {
            auto* grid = FindControl<QTableWidget>(*history, Control::GridRuns);
            for (const int column : {5, 6}) {
                row.append(grid->item(0, column)->text());
            }
            onNextModal([&](QWidget* preview) {
                stepsTitle = preview->windowTitle();
                stepsSummary = FindControl<QLabel>(*preview, Control::LblPlanSummary)->text();
                canRun = FindControl<QPushButton>(*preview, Control::BtnPlanRun)->isVisible();
                const QAbstractItemModel* model = FindControl<QTableView>(*preview, Control::GridPlan)->model();
                for (int step = 0; step < model->rowCount(); ++step) {
                    steps.append(model->index(step, 1).data().toString() + u' ' +
                                 model->index(step, 2).data().toString() + u'/' +
                                 model->index(step, 3).data().toString());
                }
                FindControl<QPushButton>(*preview, Control::BtnPlanClose)->click();
            });
            const QRect cell = grid->visualItemRect(grid->item(0, 0));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            FindControl<QPushButton>(*history, Control::BtnHistoryClose)->click();
        });
        QTest::mouseClick(control(Control::BtnHistory), Qt::LeftButton);
        QCOMPARE(row, (QStringList{u"部分撤销（剩 1 项）"_s, path(u"out/"_s)}));
        QCOMPARE(stepsTitle, u"分拣步骤 - Varnoth"_s);
        QVERIFY2(stepsSummary.startsWith(u"输出文件夹："_s + path(u"out/"_s) + u'\n'), qPrintable(stepsSummary));
        QVERIFY(!canRun);
        QCOMPARE(steps, (QStringList{u"a.txt 复制/已撤销"_s, u"b.txt 复制/未能撤销：文件在分拣后已被改动"_s}));
    }
};

QTEST_MAIN(TestHistoryWindow)
#include "test_history_window.moc"

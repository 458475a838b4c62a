#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "testsupport/CliProcess.h"
#include "testsupport/CompletePlan.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowTest.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Where the counts of a run are read.
enum class Surface { Preview, CompletionBox, HistoryWindow, CliPlan, CliPlanJson, CliRun, CliHistory };
} // namespace
Q_DECLARE_METATYPE(Surface)

// One run with every outcome, counted alike wherever its counts are shown: the preview, the completion box, the
// history, and the command line's plan, run, JSON and history. Each outcome has a count of its own (1 failed,
// 2 placed, 3 left, 6 identical, 4 filtered, 5 not matching), so that a count in the wrong place or bucket shows.
class TestCountsAgree : public WindowTest {
    Q_OBJECT
private:
    // A keyword sort for "k" that skips taken names and passes over .webp files, of src/ into out/.
    void prepareRun() {
        QStringList names{u"k_folder.txt"_s, u"k1.txt"_s,  u"k2.txt"_s,  u"k3.txt"_s, u"k4.txt"_s,
                          u"k5.txt"_s,       u"k6.webp"_s, u"k7.webp"_s, u"a.webp"_s, u"b.webp"_s};
        for (int n = 1; n <= 5; ++n) {
            names.append(u"other%1.txt"_s.arg(n));
        }
        for (const QString& name : names) {
            mainWindow().fileList().AppendUnique({WriteTestFile(path(u"src/"_s + name), "new")});
        }
        for (int n = 8; n <= 13; ++n) {
            const QString name = u"k%1.txt"_s.arg(n);
            mainWindow().fileList().AppendUnique({WriteTestFile(path(u"src/"_s + name), "new")});
            WriteTestFile(path(u"out/k/"_s + name), "new"); // the same bytes are there
        }
        for (const QString& taken : {u"k3.txt"_s, u"k4.txt"_s, u"k5.txt"_s}) {
            WriteTestFile(path(u"out/k/"_s + taken), "there before"); // left by the policy
        }
        MakeFolder(QFile::encodeName(path(u"out/k/k_folder.txt"_s))); // a folder holds the name: fails
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        control<QLineEdit>(Control::EdtKeys)->setText(u"k"_s);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        control<QRadioButton>(Control::RbSkip)->click();
        control<QCheckBox>(Control::ChkSkipIdentical)->click();
        control<QCheckBox>(Control::ChkExclude)->click();
        control<QListWidget>(Control::ListBox2)->addItem(u"*.webp"_s);
    }

    QByteArray cli(const QByteArrayList& arguments) {
        return RunCli(u"" VARNOTH_PROGRAM ""_s, arguments, testFolder(), homeFolder()).out;
    }
    QByteArray cliSort(const QByteArrayList& options) {
        return cli(QByteArrayList{"sort", "--keywords", "k", "--exclude", "webp", "--skip-identical", "--out", "out",
                                  "--scan", "src"} +
                   options);
    }

    QString previewSummary() {
        QString summary;
        onNextModal([&](QWidget* modal) {
            QVERIFY(WaitForCompletePlan(*modal));
            summary = FindControl<QLabel>(*modal, Control::LblPlanSummary)->text();
            FindControl<QPushButton>(*modal, Control::BtnPlanClose)->click();
        });
        QTest::mouseClick(control(Control::BtnPreview), Qt::LeftButton);
        return summary;
    }
    void runInTheWindow(ShownMessage* done = nullptr) {
        ShownMessage ignored;
        answerNextMessage(done ? done : &ignored);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
    }
    QString historyCounts() {
        QString counts;
        onNextModal([&](QWidget* modal) {
            counts = FindControl<QTableWidget>(*modal, Control::GridRuns)->item(0, 4)->text();
            FindControl<QPushButton>(*modal, Control::BtnHistoryClose)->click();
        });
        QTest::mouseClick(control(Control::BtnHistory), Qt::LeftButton);
        return counts;
    }
    // The history's counts placed, left, nomatch and failed, then filtered and identical at its end.
    QByteArray historyLineCounts() {
        const QByteArrayList fields = cli({"history"}).trimmed().split('\t');
        return fields.size() == 14 ? (fields.mid(4, 4) + fields.mid(11, 2)).join(' ') : QByteArray();
    }

private slots:
    void init() {
        WindowTest::init();
        // The window journals where the command line's history reads.
        qputenv("XDG_STATE_HOME", QFile::encodeName(homeFolder() + u"/.local/state"_s));
        qputenv("XDG_DATA_HOME", QFile::encodeName(homeFolder() + u"/.local/share"_s));
    }

    void everySurfaceCountsAlike_data() {
        QTest::addColumn<Surface>("surface");
        QTest::addColumn<QString>("counts");
        QTest::newRow("preview") << Surface::Preview
                                 << u"无法处理 1 个，复制 2 个，跳过 3 个，相同 6 个，已过滤 4 个，不符合条件 5 个。\n"
                                    u"无法处理 1 个，将分拣 2 个，因同名不处理 3 个，内容相同 6 个，已过滤 4 个，"
                                    u"不符合条件 5 个。"_s;
        QTest::newRow("completion box")
            << Surface::CompletionBox
            << u"分拣工作完成！\n有 1 个文件复制或删除失败。\n"
               u"失败 1 个，已分拣 2 个，因同名未处理 3 个，内容相同 6 个，已过滤 4 个，不符合条件 5 个。"_s;
        QTest::newRow("history window") << Surface::HistoryWindow
                                        << u"失败 1，已分拣 2，因同名未处理 3，内容相同 6，已过滤 4，不符合条件 5"_s;
        QTest::newRow("command line plan")
            << Surface::CliPlan
            << u"plan: 1 to fail, 2 to place, 3 to leave as they are, 6 identical, 4 filtered, 5 not matching; nothing "
               u"was "
               u"touched\n"_s;
        QTest::newRow("command line plan in JSON")
            << Surface::CliPlanJson
            << uR"({"summary": {"placed": 2, "left": 3, "identical": 6, "nomatch": 5, "failed": 1, "filtered": 4}})"
               u"\n"_s;
        QTest::newRow("command line run")
            << Surface::CliRun
            << u"1 failed, 2 placed, 3 left as they were, 6 identical, 4 filtered, 5 not matching\n"_s;
        QTest::newRow("command line history of the window's run") << Surface::CliHistory << u"2 3 5 1 4 6"_s;
    }
    void everySurfaceCountsAlike() {
        QFETCH(Surface, surface);
        QFETCH(QString, counts);
        prepareRun();
        QString shown;
        ShownMessage done;
        switch (surface) {
        case Surface::Preview:
            shown = previewSummary().section(u'\n', 1);
            break;
        case Surface::CompletionBox:
            runInTheWindow(&done);
            shown = done.text;
            break;
        case Surface::HistoryWindow:
            runInTheWindow();
            shown = historyCounts();
            break;
        case Surface::CliPlan:
            shown = QString::fromUtf8(cliSort({"--dry-run"}).split('\n').at(21) + '\n');
            break;
        case Surface::CliPlanJson:
            shown = QString::fromUtf8(cliSort({"--dry-run", "--json"}).split('\n').at(21) + '\n');
            break;
        case Surface::CliRun:
            shown = QString::fromUtf8(cliSort({}));
            break;
        case Surface::CliHistory:
            runInTheWindow();
            shown = QString::fromUtf8(historyLineCounts());
            break;
        }
        QCOMPARE(shown, counts);
    }
};

QTEST_MAIN(TestCountsAgree)
#include "test_counts_agree.moc"

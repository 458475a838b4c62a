#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "testsupport/LabelledContent.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowSortChild.h"
#include "testsupport/WindowTest.h"
#include "ui/CloseOnSignal.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

// A session that ends, a closed terminal or Ctrl+C end the program as closing its window does: a run stops after the
// current file, an open dialog closes as with Esc, the settings are saved and the program exits normally.
class TestTerminationSignals : public WindowTest {
    Q_OBJECT
public:
    TestTerminationSignals() : WindowTest(Start::ByTheTest) {}

private:
    QString childSettings() const { return path(u"private/config/Varnoth.ini"_s); }
    QStringList options(const QString& mode) const {
        return {u"--page"_s,   QString::number(KeywordPage),
                u"--text"_s,   Control::EdtKeys + u"=数据"_s,
                u"--out"_s,    path(u"out"_s),
                u"--mode"_s,   mode,
                u"--policy"_s, Control::RbAsk};
    }
    // Two files for a move under the ask policy; the first one's name is taken in the output folder.
    QStringList twoFilesOneTaken() const {
        WriteTestFile(path(u"src/数据-1.bin"_s), LabelledContent("one", 100));
        WriteTestFile(path(u"src/数据-2.bin"_s), LabelledContent("two", 100));
        WriteTestFile(path(u"out/数据/数据-1.bin"_s), LabelledContent("old", 100));
        return {path(u"src/数据-1.bin"_s), path(u"src/数据-2.bin"_s)};
    }
    // Neither file moved, the name kept its old file, no temporary file anywhere.
    void checkNothingMoved() const {
        QCOMPARE(TreeWithContents(path(u"src"_s)), (QStringList{u"数据-1.bin one:100"_s, u"数据-2.bin two:100"_s}));
        QCOMPARE(TreeWithContents(path(u"out"_s)), (QStringList{u"数据/"_s, u"数据/数据-1.bin old:100"_s}));
    }

private slots:
    void whileIdle_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void whileIdle() {
        QFETCH(int, signal);
        WindowSortChild child(QStringLiteral(WINDOW_SORT_HELPER), path(u"private"_s));
        child.onIdle = [&] { ::kill(pid_t(child.processId), signal); };
        QVERIFY2(child.run(options(u"copy"_s) + QStringList{u"--idle"_s}, {}), qPrintable(child.error));
        QVERIFY(ReadTestFile(childSettings()).contains("\nOutDir=" + QFile::encodeName(path(u"out"_s)) + '\n'));
    }

    // The signal comes while the run waits for the answer to its first question; the answer No keeps the first file,
    // and the run stops there instead of going on to the second.
    void duringARun() {
        const QStringList files = twoFilesOneTaken();
        WindowSortChild child(QStringLiteral(WINDOW_SORT_HELPER), path(u"private"_s));
        child.answerYes = false;
        child.onQuestion = [&] { ::kill(pid_t(child.processId), SIGTERM); };
        QVERIFY2(child.run(options(u"move"_s), files), qPrintable(child.error));
        QCOMPARE(child.questions.size(), 1);
        QCOMPARE(child.messages, QStringList()); // no completion box to wait for
        checkNothingMoved();
        QVERIFY(ReadTestFile(childSettings()).contains("\nOutDir=" + QFile::encodeName(path(u"out/"_s)) + '\n'));
    }

    // In this process, and last of all: the interruption it requests lasts until the process ends.
    void whileAQuestionIsOpen() {
        startWindows();
        CloseOnTerminationSignals closeOnSignal([this] { windows().closeAll(); });
        QByteArrayList files;
        for (const QString& file : twoFilesOneTaken()) {
            files.append(QFile::encodeName(file));
        }
        mainWindow().fileList().AppendUnique(files);
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        control<QLineEdit>(Control::EdtKeys)->setText(u"数据"_s);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        control<QAbstractButton>(Control::RbAsk)->click();
        control<QAbstractButton>(Control::RbMove)->click();
        bool asked = false;
        onNextModal([&](QWidget*) {
            asked = true;
            ::raise(SIGTERM);
        });
        control<QAbstractButton>(Control::BtnCopy)->click();
        QVERIFY(asked);
        QVERIFY(!mainWindow().isVisible());
        checkNothingMoved();
        QVERIFY(ReadTestFile(configFolder() + u"/Varnoth.ini"_s)
                    .contains("\nOutDir=" + QFile::encodeName(path(u"out/"_s))));
    }
};

QTEST_MAIN(TestTerminationSignals)
#include "test_termination_signals.moc"

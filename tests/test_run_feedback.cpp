#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/OpenedUrls.h"
#include "testsupport/OutputTree.h"
#include "testsupport/ShownText.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowTest.h"
#include "ui/CompletionBox.h"
#include "ui/FolderInFileManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// What a run shows while it goes and when it ends: the file it is at, the stop button and the completion box.
class TestRunFeedback : public WindowTest {
    Q_OBJECT
private:
    QByteArrayList listFiles(const QStringList& names) {
        QByteArrayList paths;
        for (const QString& name : names) {
            paths.append(WriteTestFile(path(u"src/"_s + name), name.toUtf8()));
        }
        mainWindow().fileList().AppendUnique(paths);
        return paths;
    }
    void sortByKeyword(const QString& keyword, const QString& policy) {
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        control<QLineEdit>(Control::EdtKeys)->setText(keyword);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        control<QRadioButton>(policy)->click();
    }
    // Records the texts of the next message box and closes it with OK, or with the button called buttonName.
    void readNextBox(ShownBoxTexts* shown, const QString& buttonName = {}) {
        onNextModal([shown, buttonName](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            *shown = ShownTexts(*box);
            (buttonName.isEmpty() ? box->button(QMessageBox::Ok) : box->findChild<QPushButton*>(buttonName))->click();
        });
    }

private slots:
    // Every run that starts keeps a journal in the state folder; a run its checks refuse keeps none.
    void everyRunThatStartsIsJournaled() {
        const QString runs = homeFolder() + u"/.local/state/Varnoth/runs"_s;
        listFiles({u"游记1.txt"_s});
        sortByKeyword(u" "_s, Control::RbSkip);
        ShownMessage refused;
        answerNextMessage(&refused);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QCOMPARE(refused.text, u"请输入匹配关键字!"_s);
        QVERIFY(EntriesOf(runs).isEmpty());

        control<QLineEdit>(Control::EdtKeys)->setText(u"游记"_s);
        ShownMessage done;
        answerNextMessage(&done);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QVERIFY(done.text.startsWith(u"分拣工作完成！"_s));
        const QStringList journals = EntriesOf(runs);
        QCOMPARE(journals.size(), 1);
        QVERIFY(journals.first().endsWith(u".journal"_s));
    }

    // A journal folder that cannot be written is named in a warning, which offers to sort without a journal or to
    // stop before anything is touched.
    void anUnwritableJournalFolderIsNamedInAWarning_data() {
        QTest::addColumn<bool>("goOn");
        QTest::newRow("sort without a journal") << true;
        QTest::newRow("stop") << false;
    }
    void anUnwritableJournalFolderIsNamedInAWarning() {
        QFETCH(bool, goOn);
        // A file stands where the state folder would be; its name is markup, shown as it is.
        const QString state = path(u"<b>state"_s);
        WriteTestFile(state, "not a folder");
        qputenv("XDG_STATE_HOME", QFile::encodeName(state));
        listFiles({u"游记1.txt"_s});
        sortByKeyword(u"游记"_s, Control::RbSkip);
        ShownMessage warning;
        ShownMessage done;
        answerNextMessage(&warning, goOn ? QMessageBox::Yes : QMessageBox::No, [&] {
            if (goOn) {
                answerNextMessage(&done);
            }
        });
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        qunsetenv("XDG_STATE_HOME");
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QVERIFY2(warning.text.contains(state + u"/Varnoth/runs"_s), qPrintable(warning.text));
        QCOMPARE(QFileInfo::exists(path(u"out/游记/游记1.txt"_s)), goOn);
        QCOMPARE(QFileInfo::exists(path(u"out"_s)), goOn);
        QCOMPARE(done.text.startsWith(u"分拣工作完成！"_s), goOn);
    }

    void theRunCanBeFollowedAndStopped() {
        auto* progress = control<QLabel>(Control::LblProgress);
        auto* stop = control<QPushButton>(Control::BtnStop);
        QCOMPARE(stop->text(), u"停止"_s);
        QCOMPARE(progress->text(), QString());
        QVERIFY(!stop->isEnabled());
        // The second file's name is markup, and the label shows it as it is.
        listFiles({u"游记1.txt"_s, u"游记<b>2.txt"_s, u"游记3.txt"_s});
        WriteTestFile(path(u"out/游记/游记<b>2.txt"_s), "old");
        sortByKeyword(u"游记"_s, Control::RbAsk);

        ShownMessage question;
        ShownBoxTexts done;
        bool stopEnabled = false;
        answerNextMessage(&question, QMessageBox::No, [&] {
            QTRY_COMPARE(ShownText(*progress), u"2 / 3  游记<b>2.txt"_s);
            stopEnabled = stop->isEnabled();
            stop->click();
            readNextBox(&done);
        });
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);

        QVERIFY(stopEnabled);
        QCOMPARE(done.text, u"分拣工作完成！\n失败 0 个，已分拣 1 个，因同名未处理 1 个，内容相同 0 个，已过滤 0 "
                            u"个，不符合条件 0 个。\n"
                            u"分拣已停止，有 1 个文件未处理。"_s);
        QCOMPARE(EntriesOf(path(u"out/游记"_s)), (QStringList{u"游记1.txt"_s, u"游记<b>2.txt"_s}));
        QCOMPARE(progress->text(), QString());
        QVERIFY(!stop->isEnabled());
    }

    // Every text the label shows is seen by a check after each file; it changes at most once in 50 ms.
    void theFileShownChangesAtMostTwentyTimesASecond() {
        QStringList names;
        for (int i = 0; i < 400; ++i) {
            names.append(u"游记%1.txt"_s.arg(i));
        }
        listFiles(names);
        sortByKeyword(u"游记"_s, Control::RbOverwrite);
        auto* progress = control<QLabel>(Control::LblProgress);
        QStringList shown;
        QTimer afterEachFile;
        connect(&afterEachFile, &QTimer::timeout, [&] {
            if (progress->text() != (shown.isEmpty() ? QString() : shown.last())) {
                shown.append(progress->text());
            }
        });
        afterEachFile.start(0);
        ShownMessage done;
        answerNextMessage(&done);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(EntriesOf(path(u"out/游记"_s)).size(), 400);
        QVERIFY(!shown.isEmpty());
        // The first file at once, then one change per 50 ms at most, and the emptying at the end.
        QVERIFY2(shown.size() <= 2 + elapsed / 50, qPrintable(u"%1 texts in %2 ms"_s.arg(shown.size()).arg(elapsed)));
    }

    void theCompletionBoxTellsWhatHappened() {
        // Two files whose names are taken by write-protected files, one of them named in markup; one placed, one
        // passed over by the filter.
        const QByteArrayList sources =
            listFiles({u"x.txt"_s, u"<font color=white>a<h3>临时副本，可放心覆盖.txt"_s, u"y.txt"_s, u"z.doc"_s});
        for (const QString& taken :
             {u"out/.txt/x.txt"_s, u"out/.txt/<font color=white>a<h3>临时副本，可放心覆盖.txt"_s}) {
            QVERIFY(::chmod(WriteTestFile(path(taken), "old").constData(), 0444) == 0);
        }
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(TypePage);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        control<QRadioButton>(Control::RbOverwrite)->click();
        control<QCheckBox>(Control::ChkExclude)->click();
        control<QListWidget>(Control::ListBox2)->addItem(u"*.doc"_s);
        OpenedUrls fileManager;
        ShownBoxTexts done;
        readNextBox(&done, Control::BtnOpenOutDir);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);

        QCOMPARE(done.text,
                 u"分拣工作完成！\n有 2 个文件复制或删除失败。\n"
                 u"失败 2 个，已分拣 1 个，因同名未处理 0 个，内容相同 0 个，已过滤 1 个，不符合条件 0 个。"_s);
        QCOMPARE(done.details, u"复制或删除失败的文件：\n"_s + QFile::decodeName(sources[0]) + u"：目标文件写保护\n"_s +
                                   QFile::decodeName(sources[1]) + u"：目标文件写保护"_s);
        QCOMPARE(fileManager.urls, QList<QUrl>{QUrl::fromLocalFile(path(u"out/"_s))});
    }

    // Where the desktop has no file manager to open a folder with, a box says so and shows the folder's path to copy.
    void withoutAFileManagerTheFolderIsShown() {
        QString text;
        bool selectable = false;
        onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            text = box->text();
            selectable = box->textInteractionFlags().testFlag(Qt::TextSelectableByMouse);
            box->button(QMessageBox::Ok)->click();
        });
        OpenFolderInFileManager(&mainWindow(), QFile::encodeName(path(u"out/<b>照片</b>"_s)));
        QCOMPARE(text, u"没有找到可以打开文件夹的文件管理器。文件夹：\n"_s + path(u"out/<b>照片</b>"_s));
        QVERIFY(selectable);
    }

    // A moved file whose name led to another file when its source was to go counts as placed, and the details
    // say that its sorted copy is the only copy of the file that was moved.
    void theCompletionBoxNamesTheOnlyCopies() {
        RunReport report;
        report.placed = 2;
        report.onlyCopies = {"/home/u/<b>报告</b>.doc", "/home/u/游记.txt"};
        ShownBoxTexts done;
        readNextBox(&done);
        ShowCompletionBox(&mainWindow(), report, {});
        QCOMPARE(
            done.text,
            u"分拣工作完成！\n失败 0 个，已分拣 2 个，因同名未处理 0 个，内容相同 0 个，已过滤 0 个，不符合条件 0 个。"_s);
        QCOMPARE(done.details,
                 u"以下文件移动时，原文件名已指向另一个文件，该文件已保留；分拣出的文件是原文件仅有的一份：\n"
                 u"/home/u/<b>报告</b>.doc\n/home/u/游记.txt"_s);
    }

    // Moving with ChkSkipIdentical ticked into a folder that holds the same bytes under the name: nothing is
    // numbered or moved, the count and the details say that the file stayed where it was.
    void aFileOfTheSameBytesStaysWhereItIs() {
        const QByteArray file = listFiles({u"西游记.txt"_s}).front();
        WriteTestFile(path(u"out/游记/西游记.txt"_s), "西游记.txt");
        sortByKeyword(u"游记"_s, Control::RbRename);
        control<QRadioButton>(Control::RbMove)->click();
        control<QCheckBox>(Control::ChkSkipIdentical)->click();
        ShownBoxTexts done;
        readNextBox(&done);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QCOMPARE(done.text, u"分拣工作完成！\n失败 0 个，已分拣 0 个，因同名未处理 0 个，内容相同 1 个，已过滤 0 个，"
                            u"不符合条件 0 个。"_s);
        QCOMPARE(done.details, u"以下文件的内容已在目标位置，未移动，仍在原处：\n"_s + QFile::decodeName(file));
        QCOMPARE(ReadTestFile(QFile::decodeName(file)), "西游记.txt");
        QCOMPARE(EntriesOf(path(u"out/游记"_s)), QStringList{u"西游记.txt"_s});
    }

    // A file that came onto the disk now and was last modified in 2010; /proc keeps no creation time, so there the
    // modification time stands in, and the details say so.
    void theCreationTimeIsWhenTheFileCameOntoTheDisk_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<bool>("placed");
        QTest::newRow("creation time") << Control::RbCreateTime << true;
        QTest::newRow("modification time") << Control::RbModifyTime << false;
    }
    void theCreationTimeIsWhenTheFileCameOntoTheDisk() {
        QFETCH(QString, time);
        QFETCH(bool, placed);
        const QByteArray file = listFiles({u"new.txt"_s}).front();
        if (!RecordsCreationTime(file)) {
            QSKIP("the temporary folder's file system keeps no creation time");
        }
        const struct timespec june2010[2] = {{1275350400, 0}, {1275350400, 0}};
        QVERIFY(::utimensat(AT_FDCWD, file.constData(), june2010, 0) == 0);
        mainWindow().fileList().AppendUnique({"/proc/version"});
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(DatePage);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        control<QRadioButton>(time)->click();
        QVERIFY(!control(time)->toolTip().isEmpty());
        control<QComboBox>(Control::CmbFileDate)->setCurrentIndex(1); // later than
        control<QDateEdit>(Control::DtDate)->setDate(QDate(2015, 1, 1));
        ShownBoxTexts done;
        readNextBox(&done);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QCOMPARE(TreeOf(path(u"out"_s)).filter(u"/new.txt"_s).size(), placed ? 1 : 0);
        QCOMPARE(done.details.contains(u"有 1 个文件的创建时间未被文件系统记录，已按修改时间比较。"_s), placed);
    }
};

QTEST_MAIN(TestRunFeedback)
#include "test_run_feedback.moc"

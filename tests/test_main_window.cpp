#include "core/CriterionPage.h"
#include "engine/criteria/DateCriterion.h"
#include "filelist/FileListModel.h"
#include "testsupport/OutputTree.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TestImages.h"
#include "testsupport/WindowTest.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>

#include <algorithm>

using namespace Qt::StringLiterals;

// The main window driven as a user would, offscreen, finding every control by its object name.
class TestMainWindow : public WindowTest {
    Q_OBJECT
private:
    // Chinese text arrives from an input method as a commit, not as key presses.
    static void typeThroughInputMethod(QWidget* field, const QString& text) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(field, &commit);
    }
    // A keyword sort of the listed files by keywords into out/, moving them, with the same-name question.
    void chooseKeywordMoveAsking(const QString& keywords) {
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        typeThroughInputMethod(control(Control::EdtKeys), keywords);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        QTest::mouseClick(control(Control::RbAsk), Qt::LeftButton);
        QTest::mouseClick(control(Control::RbMove), Qt::LeftButton);
    }
    void listFiles(const QStringList& names) {
        QByteArrayList paths;
        for (const QString& name : names) {
            paths.append(WriteTestFile(path(u"src/"_s + name), name.toUtf8()));
        }
        mainWindow().fileList().AppendUnique(paths);
    }

private slots:

    void theWindowsKeepTheirNames() {
        QCOMPARE(mainWindow().objectName(), Control::TForm1);
        QCOMPARE(mainWindow().windowTitle(), u"Varnoth"_s);
        QCOMPARE(windows().folderPicker.objectName(), Control::TForm3);
        QCOMPARE(windows().about.objectName(), Control::TfrmAbout);
        QCOMPARE(windows().typeEntry.objectName(), Control::TfrmSuffix);
        QVERIFY(!windows().folderPicker.isVisible() && !windows().about.isVisible());
        QCOMPARE(mainWindow().size(), QSize(838, 610));
        QVERIFY(!mainWindow().windowIcon().availableSizes().isEmpty());
    }

    void theTabKeyGoesDownTheWindow() {
        mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow()));
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        control(Control::ListBox1)->setFocus();
        QStringList visited;
        for (int step = 0; step < 25; ++step) {
            QWidget* focused = QApplication::focusWidget();
            visited.append(focused->objectName());
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        const QStringList downTheWindow = {
            Control::ListBox1,      Control::Button1,         Control::Button5,          Control::Button2,
            Control::Button6,       Control::BtnSaveFileList, Control::BtnImpFileList,   Control::CmbPreset,
            Control::BtnSavePreset, Control::BtnDeletePreset, Control::TabBar,           Control::EdtKeys,
            Control::ChkInclude,    Control::ChkExclude,      Control::ListBox2,         Control::EdtOutDir,
            Control::Button3,       Control::RbOverwrite,     Control::ChkSkipIdentical, Control::RbMove,
            Control::BtnPreview,    Control::BtnCopy,         Control::BtnHistory,       Control::BtnAout,
            Control::ListBox1}; // the undo button is off: no run to undo
        QCOMPARE(visited, downTheWindow);
    }

    // Every control each window is described with is there, in that window, under its object name.
    void theDescribedControlsAreThere_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("controls");
        QTest::newRow("main window") << Control::TForm1 << Control::InMainWindow;
        QTest::newRow("folder picker") << Control::TForm3 << Control::InFolderPicker;
        QTest::newRow("type entry") << Control::TfrmSuffix << Control::InTypeEntryDialog;
        QTest::newRow("About") << Control::TfrmAbout << Control::InAboutWindow;
    }
    void theDescribedControlsAreThere() {
        QFETCH(QString, window);
        QFETCH(QStringList, controls);
        // The dialogs are children of the main window, and some of their controls share names with its controls.
        QWidget* shown = window == Control::TForm1 ? &mainWindow() : FindControl(mainWindow(), window);
        for (const QString& name : controls) {
            const QList<QWidget*> named = shown->findChildren<QWidget*>(name);
            QVERIFY2(
                std::any_of(named.begin(), named.end(), [&](const QWidget* found) { return found->window() == shown; }),
                qPrintable(name));
        }
    }

    void startState() {
        QVERIFY(!control<QLabel>(Control::Image3)->pixmap().isNull());
        auto* pages = control<QTabWidget>(Control::PageControl1);
        QCOMPARE(pages->count(), PageCount);
        const QStringList tabs = {
            u" 按文件名匹配关键字分拣 "_s, u" 按文件名分拣"_s, u" 按文件类型分拣"_s, u" 按文件大小分拣"_s,
            u" 按文件日期属性分拣"_s,      u" 图像文件分拣"_s, u"按日期归档"_s};
        for (int page = KeywordPage; page < PageCount; ++page) {
            QCOMPARE(pages->tabText(page), tabs[page]);
        }
        const QList<std::pair<QString, QStringList>> lists = {
            {Control::CmbCondition, {u"大于"_s, u"小于"_s}},
            {Control::CmbUnit, {u"KB"_s, u"MB"_s}},
            {Control::CmbFileDate, {u"早于"_s, u"晚于"_s}},
            {Control::CmbPic, {u"大于等于"_s, u"小于等于"_s, u"等于"_s}},
        };
        for (const auto& [name, items] : lists) {
            auto* box = control<QComboBox>(name);
            QStringList got;
            for (int i = 0; i < box->count(); ++i) {
                got.append(box->itemText(i));
            }
            QCOMPARE(got, items);
            QCOMPARE(box->currentIndex(), 0);
            QVERIFY(!box->isEditable());
        }
        auto* pictures = control<QListWidget>(Control::ChkLstPic);
        const QStringList pictureTypes = {u"*.JPG;*.JPEG"_s, u"*.BMP"_s,  u"*.GIF"_s,  u"*.PNG"_s, u"*.TIF"_s,
                                          u"*.WEBP"_s,       u"*.HEIC"_s, u"*.HEIF"_s, u"*.AVIF"_s};
        QCOMPARE(pictures->count(), pictureTypes.size());
        for (int i = 0; i < pictureTypes.size(); ++i) {
            QCOMPARE(pictures->item(i)->text(), pictureTypes[i]);
            QCOMPARE(pictures->item(i)->checkState(), Qt::Checked);
        }
        auto* datePattern = control<QComboBox>(Control::CmbDatePattern);
        QVERIFY(datePattern->isEditable());
        QStringList patterns;
        for (int i = 0; i < datePattern->count(); ++i) {
            patterns.append(datePattern->itemText(i));
        }
        QCOMPARE(patterns, (QStringList{u"年/月"_s, u"年/年-月"_s, u"年/月/日"_s, u"年-月-日"_s, u"年"_s}));
        QCOMPARE(datePattern->currentIndex(), 0);
        QVERIFY(control<QAbstractButton>(Control::RbFolderTaken)->isChecked());
        QVERIFY(control<QAbstractButton>(Control::RbCreateTime)->isChecked());
        QCOMPARE(control<QDateEdit>(Control::DtDate)->date(), QDate(2013, 5, 6));
        QCOMPARE(control<QTimeEdit>(Control::DtTime)->time(), QTime(0, 0));
        QVERIFY(control<QAbstractButton>(Control::RbCopy)->isChecked());
        QVERIFY(!control(Control::BtnAddSuffix)->isEnabled());
        QVERIFY(!control(Control::BtnDelSuffix)->isEnabled());
        QCOMPARE(control<QProgressBar>(Control::ProgressBar1)->value(), 0);
    }

    void optionPanelsFollowThePage() {
        auto* pages = control<QTabWidget>(Control::PageControl1);
        for (int page = KeywordPage; page < PageCount; ++page) {
            pages->setCurrentIndex(page);
            QCOMPARE(control<QLabel>(Control::lblOption)->text(), u"分拣方式："_s + pages->tabText(page));
            QCOMPARE(control(Control::PnlOption)->isVisible(), page != ImagePage);
            QCOMPARE(control(Control::PnlOption2)->isVisible(), page == ImagePage);
        }
        // Coming back restores the extension filter as it was left.
        pages->setCurrentIndex(KeywordPage);
        QTest::mouseClick(control(Control::ChkExclude), Qt::LeftButton);
        pages->setCurrentIndex(ImagePage);
        pages->setCurrentIndex(TypePage);
        QVERIFY(control<QAbstractButton>(Control::ChkExclude)->isChecked());
        QCOMPARE(control<QLabel>(Control::lblOption)->text(), u"分拣方式： 按文件类型分拣"_s);
    }

    void numberFieldsFilterTypedKeys_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("size takes a dot") << Control::EdtSize << u"1a.5-x"_s << u"1.5"_s;
        QTest::newRow("pixels: digits only") << Control::EdtPic << u"8a0.0 "_s << u"800"_s;
        QTest::newRow("pixels refuse a minus") << Control::EdtPic << u"-800"_s << u"800"_s;
        QTest::newRow("size refuses a minus") << Control::EdtSize << u"-5"_s << u"5"_s;
        QTest::newRow("range begin") << Control::EdtPartNameBegin << u"-1b2"_s << u"12"_s;
        QTest::newRow("range end") << Control::EdtPartNameEnd << u"+3,4"_s << u"34"_s;
        QTest::newRow("keywords are not filtered") << Control::EdtKeys << u"a 1.b"_s << u"a 1.b"_s;
    }
    void numberFieldsFilterTypedKeys() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        auto* edit = control<QLineEdit>(field);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), shown);
        // Editing keys still work.
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), shown.chopped(1));
    }

    void pastedTextIsNotFiltered() {
        auto* edit = control<QLineEdit>(Control::EdtPic);
        QGuiApplication::clipboard()->setText(u"-5x"_s);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), u"-5x"_s);
    }

    // Pasting puts a minus into the size field; the run reads the field again when it starts and takes the number
    // it says, as the page's own parameter step reads any number, into a folder named as the field shows it.
    void aPastedMinusIsTakenAsANegativeSize() {
        listFiles({u"empty.txt"_s});
        WriteTestFile(path(u"src/empty.txt"_s), QByteArray());
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(SizePage);
        auto* size = control<QLineEdit>(Control::EdtSize);
        size->clear();
        QGuiApplication::clipboard()->setText(u"-5"_s);
        QTest::keyClick(size, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(size->text(), u"-5"_s);
        control<QComboBox>(Control::CmbCondition)->setCurrentIndex(0);
        control<QComboBox>(Control::CmbUnit)->setCurrentIndex(0);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        ShownMessage done;
        answerNextMessage(&done);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QCOMPARE(
            done.text,
            u"分拣工作完成！\n失败 0 个，已分拣 1 个，因同名未处理 0 个，内容相同 0 个，已过滤 0 个，不符合条件 0 个。"_s);
        QCOMPARE(EntriesOf(path(u"out/大于-5KB"_s)), QStringList{u"empty.txt"_s});
    }

    void aKeywordSortThroughTheWindow() {
        listFiles({u"西游记.txt"_s, u"东游记.doc"_s, u"红楼梦.txt"_s});
        WriteTestFile(path(u"out/游记/西游记.txt"_s), "old");
        chooseKeywordMoveAsking(u"游记"_s);

        // The question comes while the run holds its lock.
        ShownMessage question;
        ShownMessage done;
        QMap<QString, bool> enabledDuringRun;
        bool outDirReadOnly = false;
        answerNextMessage(&question, QMessageBox::Yes, [&] {
            for (const QString& name : {Control::BtnCopy, Control::PageControl1, Control::Button3, Control::Button1,
                                        Control::Button5, Control::Button2, Control::Button6, Control::BtnImpFileList,
                                        Control::BtnSaveFileList, Control::RbOverwrite, Control::ChkInclude,
                                        Control::CmbPreset, Control::BtnSavePreset, Control::BtnDeletePreset}) {
                enabledDuringRun[name] = control(name)->isEnabled();
            }
            outDirReadOnly = control<QLineEdit>(Control::EdtOutDir)->isReadOnly();
            answerNextMessage(&done, QMessageBox::Ok,
                              [&] { QCOMPARE(control<QProgressBar>(Control::ProgressBar1)->value(), 100); });
        });
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);

        QCOMPARE(question.title, u"Varnoth"_s);
        QCOMPARE(question.icon, QMessageBox::Question);
        QCOMPARE(question.text, u"文件"_s + path(u"out/游记/西游记.txt"_s) + u"已存在，是否覆盖？"_s);
        QCOMPARE(
            done.text,
            u"分拣工作完成！\n失败 0 个，已分拣 2 个，因同名未处理 0 个，内容相同 0 个，已过滤 0 个，不符合条件 1 个。"_s);
        QCOMPARE(done.icon, QMessageBox::Information);
        QCOMPARE(done.title, u"Varnoth"_s);
        const QMap<QString, bool> expectedDuringRun = {
            {Control::BtnCopy, false},       {Control::PageControl1, false},   {Control::Button3, false},
            {Control::Button1, false},       {Control::Button5, false},        {Control::Button2, false},
            {Control::Button6, false},       {Control::BtnImpFileList, false}, {Control::BtnSaveFileList, true},
            {Control::RbOverwrite, true},    {Control::ChkInclude, true},      {Control::CmbPreset, false},
            {Control::BtnSavePreset, false}, {Control::BtnDeletePreset, false}};
        QCOMPARE(enabledDuringRun, expectedDuringRun);
        QVERIFY(outDirReadOnly);

        QCOMPARE(control<QLineEdit>(Control::EdtOutDir)->text(), path(u"out"_s) + u'/');
        QCOMPARE(EntriesOf(path(u"out/游记"_s)), (QStringList{u"东游记.doc"_s, u"西游记.txt"_s}));
        QCOMPARE(ReadTestFile(path(u"out/游记/西游记.txt"_s)), u"西游记.txt"_s.toUtf8());
        QCOMPARE(EntriesOf(path(u"src"_s)), QStringList{u"红楼梦.txt"_s});
        QCOMPARE(control<QProgressBar>(Control::ProgressBar1)->value(), 0);
        for (const QString& name : expectedDuringRun.keys()) {
            QVERIFY2(control(name)->isEnabled(), name.toUtf8());
        }
        QVERIFY(!control<QLineEdit>(Control::EdtOutDir)->isReadOnly());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // The run reads each drop-down list by the window's rules, also with no item selected (-1): a size condition
    // then takes the smaller files, a unit counts in KB, a picture condition matches nothing, a date condition takes
    // the later files; and an unselected list names nothing in the folder.
    void theListsAreReadByTheWindowsRules_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<qint64>("bytes"); // the size of the listed picture
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("placed");
        const QString dateFolder = DateFolderName(QDate(2000, 1, 1));
        QTest::newRow("no size condition: smaller")
            << int(SizePage) << Control::CmbCondition << -1 << 200LL << u"1KB"_s << true;
        QTest::newRow("no size condition: not larger")
            << int(SizePage) << Control::CmbCondition << -1 << 2048LL << u"1KB"_s << false;
        QTest::newRow("no unit: KB") << int(SizePage) << Control::CmbUnit << -1 << 2048LL << u"大于1"_s << true;
        QTest::newRow("unit 1: MB") << int(SizePage) << Control::CmbUnit << 1 << 2048LL << u"大于1MB"_s << false;
        QTest::newRow("no picture condition: nothing")
            << int(ImagePage) << Control::CmbPic << -1 << 200LL << u"1"_s << false;
        QTest::newRow("date condition 0: earlier")
            << int(DatePage) << Control::CmbFileDate << 0 << 200LL << dateFolder << false;
        QTest::newRow("no date condition: later")
            << int(DatePage) << Control::CmbFileDate << -1 << 200LL << dateFolder << true;
    }
    void theListsAreReadByTheWindowsRules() {
        QFETCH(int, page);
        QFETCH(QString, list);
        QFETCH(int, index);
        QFETCH(qint64, bytes);
        QFETCH(QString, folder);
        QFETCH(bool, placed);
        const QByteArray picture = WriteOnePixelPicture(path(u"src/p.png"_s), bytes);
        QVERIFY(!picture.isEmpty());
        mainWindow().fileList().AppendUnique({picture});
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(page);
        for (const QString& name : {Control::CmbCondition, Control::CmbUnit, Control::CmbPic, Control::CmbFileDate}) {
            control<QComboBox>(name)->setCurrentIndex(0);
        }
        control<QComboBox>(list)->setCurrentIndex(index);
        control<QLineEdit>(Control::EdtSize)->setText(u"1"_s);
        control<QLineEdit>(Control::EdtPic)->setText(u"1"_s);
        control<QDateEdit>(Control::DtDate)->setDate(QDate(2000, 1, 1));
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        ShownMessage done;
        answerNextMessage(&done);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        const QStringList tree = placed ? QStringList{folder + u'/', folder + u"/p.png"_s} : QStringList{folder + u'/'};
        QCOMPARE(TreeOf(path(u"out"_s)), tree);
    }

    // Copy or move stays open during a run. The same-name question processes events while it compares the two files,
    // so the user can change it there; the change applies from the file's next placement on.
    void aModeChangedDuringTheQuestionAppliesToTheNextPlacement() {
        listFiles({u"东游记.txt"_s});
        WriteTestFile(path(u"out/游记/东游记.txt"_s), "old");
        chooseKeywordMoveAsking(u"游记 东"_s);
        ShownMessage question;
        ShownMessage done;
        answerNextMessage(&question, QMessageBox::Yes, [&] {
            control<QAbstractButton>(Control::RbCopy)->click();
            answerNextMessage(&done);
        });
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QCOMPARE(EntriesOf(path(u"src"_s)), QStringList{u"东游记.txt"_s});
        QCOMPARE(ReadTestFile(path(u"out/游记/东游记.txt"_s)), u"东游记.txt"_s.toUtf8());
        QCOMPARE(EntriesOf(path(u"out/东"_s)), QStringList{u"东游记.txt"_s});
    }

    // The chooser opens at the output folder, or the nearest folder above it that exists; it can make a folder; its
    // buttons speak the program's language.
    void theOutputFolderChooser() {
        QDir().mkpath(path(u"out"_s));
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out/not yet/"_s));
        QString openedAt;
        QStringList buttons;
        bool canMakeFolders = false;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            openedAt = dialog->directory().path();
            canMakeFolders = dialog->findChild<QWidget*>(Control::NewFolderButton)->isEnabled() &&
                             !dialog->testOption(QFileDialog::ReadOnly);
            for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons()) {
                buttons.append(button->text());
            }
            dialog->setDirectory(path(u"out"_s));
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::mouseClick(control(Control::Button3), Qt::LeftButton);
        QCOMPARE(openedAt, path(u"out"_s));
        QVERIFY(canMakeFolders);
        QCOMPARE(buttons.size(), 2);
        for (const QString& text : buttons) {
            QVERIFY2(!text.contains(u"Choose"_s) && !text.contains(u"Cancel"_s) && !text.contains(u"Open"_s),
                     qPrintable(text));
        }
        QCOMPARE(control<QLineEdit>(Control::EdtOutDir)->text(), path(u"out/"_s));
    }

    void aBadFieldGetsTheFocus() {
        listFiles({u"a.txt"_s});
        mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow()));
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        control(Control::BtnCopy)->setFocus();
        ShownMessage shown;
        answerNextMessage(&shown);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QCOMPARE(shown.text, u"请输入匹配关键字!"_s);
        QCOMPARE(shown.icon, QMessageBox::Information);
        QTRY_COMPARE(mainWindow().focusWidget(), control(Control::EdtKeys));
        QVERIFY(control(Control::BtnCopy)->isEnabled());
    }

    void anEmptyListIsReported() {
        ShownMessage shown;
        answerNextMessage(&shown);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QCOMPARE(shown.text, u"没有需要分拣的文件!"_s);
    }

    void closingDuringARunStopsAfterTheCurrentFile() {
        listFiles({u"游记1.txt"_s, u"游记2.txt"_s});
        WriteTestFile(path(u"out/游记/游记1.txt"_s), "old");
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        control<QLineEdit>(Control::EdtKeys)->setText(u"游记"_s);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        QTest::mouseClick(control(Control::RbAsk), Qt::LeftButton);
        ShownMessage question;
        answerNextMessage(&question, QMessageBox::No, [&] { mainWindow().close(); });
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QVERIFY(!question.text.isEmpty());
        QVERIFY(!mainWindow().isVisible());
        QCOMPARE(EntriesOf(path(u"out/游记"_s)), QStringList{u"游记1.txt"_s});
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"

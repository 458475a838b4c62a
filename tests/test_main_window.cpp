#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowTest.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>

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
    void listFiles(const QStringList& names) {
        QByteArrayList paths;
        for (const QString& name : names) {
            paths.append(WriteTestFile(path(u"src/"_s + name), name.toUtf8()));
        }
        mainWindow().fileList().AppendUnique(paths);
    }

private slots:

    void windowsAreNamedAfterTheirClasses() {
        QCOMPARE(mainWindow().objectName(), u"TForm1"_s);
        QCOMPARE(mainWindow().windowTitle(), u"Varnoth"_s);
        QCOMPARE(windows().folderPicker.objectName(), u"TForm3"_s);
        QCOMPARE(windows().about.objectName(), u"TfrmAbout"_s);
        QCOMPARE(windows().typeEntry.objectName(), u"TfrmSuffix"_s);
        QVERIFY(!windows().folderPicker.isVisible() && !windows().about.isVisible());
        QCOMPARE(mainWindow().size(), QSize(838, 610));
        QVERIFY(!mainWindow().windowIcon().availableSizes().isEmpty());
    }

    void theTabKeyGoesDownTheWindow() {
        mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow()));
        control<QTabWidget>(u"PageControl1"_s)->setCurrentIndex(KeywordPage);
        control(u"ListBox1"_s)->setFocus();
        QStringList visited;
        for (int step = 0; step < 21; ++step) {
            QWidget* focused = QApplication::focusWidget();
            visited.append(focused->objectName());
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        const QStringList downTheWindow = {
            u"ListBox1"_s,   u"Button1"_s,         u"Button5"_s,        u"Button2"_s,
            u"Button6"_s,    u"BtnSaveFileList"_s, u"BtnImpFileList"_s, u"qt_tabwidget_tabbar"_s,
            u"EdtKeys"_s,    u"ChkInclude"_s,      u"ChkExclude"_s,     u"ListBox2"_s,
            u"EdtOutDir"_s,  u"Button3"_s,         u"RbOverwrite"_s,    u"RbMove"_s,
            u"BtnPreview"_s, u"BtnCopy"_s,         u"BtnHistory"_s,     u"BtnAout"_s,
            u"ListBox1"_s}; // the undo button is off: no run to undo
        QCOMPARE(visited, downTheWindow);
    }

    void captions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const QList<std::pair<const char16_t*, const char16_t*>> captions = {
            {u"Button1", u"添加文件"},
            {u"Button5", u"添加目录下文件"},
            {u"Button2", u"移除文件"},
            {u"Button6", u"清空列表"},
            {u"BtnSaveFileList", u"导出列表"},
            {u"BtnImpFileList", u"导入列表"},
            {u"Label10", u"     按文件名匹配关键字分拣  "},
            {u"Label4", u"     按文件名称分拣 "},
            {u"ChkFileNamePart", u"只按文件名部分进行分拣，从："},
            {u"Label11", u"字符到："},
            {u"Label12", u"字符"},
            {u"ChkOnlyMatchDir", u"只分拣与输出文件夹下已存在目录的相匹配的文件项"},
            {u"Label3", u"     按文件类型分拣 "},
            {u"Label5", u"     按文件大小分拣"},
            {u"Label6", u"分拣出满足条件的文件："},
            {u"RbCreateTime", u"文件创建时间"},
            {u"RbModifyTime", u"文件修改时间"},
            {u"Label7", u"     按宽或高进行图像文件分拣"},
            {u"RbPicW", u"图片宽："},
            {u"RbPicH", u"图片高："},
            {u"Label8", u"像素"},
            {u"ChkInclude", u"只分拣这些类型文件："},
            {u"ChkExclude", u"不分拣这些类型文件："},
            {u"BtnAddSuffix", u"添加"},
            {u"BtnDelSuffix", u"删除"},
            {u"Label9", u"图片文件类型包括："},
            {u"Label1", u"分拣结果输出到："},
            {u"Button3", u"选择"},
            {u"Label2", u"目标文件夹下存在同名文件时："},
            {u"RbOverwrite", u"覆盖"},
            {u"RbAsk", u"询问"},
            {u"RbSkip", u"跳过"},
            {u"RbRename", u"自动编号文件名"},
            {u"RbMove", u"移动式分拣(将文件从原目录移动到结果目录)"},
            {u"RbCopy", u"复制式分拣(将文件复制到结果目录)"},
            {u"BtnCopy", u"开始处理"},
            {u"BtnPreview", u"预览"},
            {u"BtnUndo", u"撤销上次分拣"},
            {u"BtnHistory", u"分拣记录"},
            {u"BtnAout", u"关于"},
            {u"GroupBox1", u"要分拣的文件"},
            {u"GroupBox5", u"分拣选项"},
            {u"GroupBox3", u"分拣结果"},
            {u"GroupBox2", u"分拣方式"},
            {u"GroupBox4", u"分拣进度"},
        };
        for (const auto& [name, caption] : captions) {
            QTest::newRow(QString::fromUtf16(name).toUtf8().constData())
                << QString::fromUtf16(name) << QString::fromUtf16(caption);
        }
    }
    void captions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QWidget* widget = control(name);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QCOMPARE(button->text(), caption);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            QCOMPARE(label->text(), caption);
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            QCOMPARE(group->title(), caption);
        } else {
            QFAIL("not a captioned control");
        }
    }

    void everyOtherControlIsThere() {
        for (const char16_t* name :
             {u"ListBox1",  u"PageControl1",     u"TabSheet6",      u"TabSheet1", u"TabSheet2",    u"TabSheet3",
              u"TabSheet5", u"TabSheet4",        u"Panel8",         u"Panel3",    u"Panel5",       u"Panel4",
              u"Panel7",    u"Panel6",           u"Image1",         u"Image2",    u"Image3",       u"Image4",
              u"EdtKeys",   u"EdtPartNameBegin", u"EdtPartNameEnd", u"EdtFilter", u"EdtSize",      u"ListBox3",
              u"DtDate",    u"DtTime",           u"EdtPic",         u"lblOption", u"PnlOption",    u"PnlOption2",
              u"ListBox2",  u"ChkLstPic",        u"EdtOutDir",      u"Panel2",    u"ProgressBar1", u"Panel1"}) {
            QVERIFY2(mainWindow().findChild<QWidget*>(QString::fromUtf16(name)), QString::fromUtf16(name).toUtf8());
        }
        QVERIFY(!control(u"ListBox3"_s)->isVisible());
        QVERIFY(!control<QLabel>(u"Image3"_s)->pixmap().isNull());
        QVERIFY(control<QLabel>(u"Image4"_s)->text().contains(u"判断文件名时过滤以下字符"_s));
    }

    void startState() {
        auto* pages = control<QTabWidget>(u"PageControl1"_s);
        QCOMPARE(pages->count(), PageCount);
        const QStringList tabs = {u" 按文件名匹配关键字分拣 "_s, u" 按文件名分拣"_s,       u" 按文件类型分拣"_s,
                                  u" 按文件大小分拣"_s,          u" 按文件日期属性分拣"_s, u" 图像文件分拣"_s};
        for (int page = KeywordPage; page < PageCount; ++page) {
            QCOMPARE(pages->tabText(page), tabs[page]);
        }
        const QList<std::pair<QString, QStringList>> lists = {
            {u"CmbCondition"_s, {u"大于"_s, u"小于"_s}},
            {u"CmbUnit"_s, {u"KB"_s, u"MB"_s}},
            {u"CmbFileDate"_s, {u"早于"_s, u"晚于"_s}},
            {u"CmbPic"_s, {u"大于等于"_s, u"小于等于"_s, u"等于"_s}},
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
        auto* pictures = control<QListWidget>(u"ChkLstPic"_s);
        QCOMPARE(pictures->count(), 5);
        const QStringList pictureTypes = {u"*.JPG;*.JPEG"_s, u"*.BMP"_s, u"*.GIF"_s, u"*.PNG"_s, u"*.TIF"_s};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(pictures->item(i)->text(), pictureTypes[i]);
            QCOMPARE(pictures->item(i)->checkState(), Qt::Checked);
        }
        QCOMPARE(control<QDateEdit>(u"DtDate"_s)->date(), QDate(2013, 5, 6));
        QCOMPARE(control<QTimeEdit>(u"DtTime"_s)->time(), QTime(0, 0));
        QVERIFY(control<QAbstractButton>(u"RbCopy"_s)->isChecked());
        QVERIFY(!control(u"BtnAddSuffix"_s)->isEnabled());
        QVERIFY(!control(u"BtnDelSuffix"_s)->isEnabled());
        QCOMPARE(control<QProgressBar>(u"ProgressBar1"_s)->value(), 0);
    }

    void optionPanelsFollowThePage() {
        auto* pages = control<QTabWidget>(u"PageControl1"_s);
        for (int page = KeywordPage; page < PageCount; ++page) {
            pages->setCurrentIndex(page);
            QCOMPARE(control<QLabel>(u"lblOption"_s)->text(), u"分拣方式："_s + pages->tabText(page));
            QCOMPARE(control(u"PnlOption"_s)->isVisible(), page != ImagePage);
            QCOMPARE(control(u"PnlOption2"_s)->isVisible(), page == ImagePage);
        }
        // Coming back restores the extension filter as it was left.
        pages->setCurrentIndex(KeywordPage);
        QTest::mouseClick(control(u"ChkExclude"_s), Qt::LeftButton);
        pages->setCurrentIndex(ImagePage);
        pages->setCurrentIndex(TypePage);
        QVERIFY(control<QAbstractButton>(u"ChkExclude"_s)->isChecked());
        QCOMPARE(control<QLabel>(u"lblOption"_s)->text(), u"分拣方式： 按文件类型分拣"_s);
    }

    void numberFieldsFilterTypedKeys_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("size takes a dot") << u"EdtSize"_s << u"1a.5-x"_s << u"1.5"_s;
        QTest::newRow("pixels: digits only") << u"EdtPic"_s << u"8a0.0 "_s << u"800"_s;
        QTest::newRow("pixels refuse a minus") << u"EdtPic"_s << u"-800"_s << u"800"_s;
        QTest::newRow("size refuses a minus") << u"EdtSize"_s << u"-5"_s << u"5"_s;
        QTest::newRow("range begin") << u"EdtPartNameBegin"_s << u"-1b2"_s << u"12"_s;
        QTest::newRow("range end") << u"EdtPartNameEnd"_s << u"+3,4"_s << u"34"_s;
        QTest::newRow("keywords are not filtered") << u"EdtKeys"_s << u"a 1.b"_s << u"a 1.b"_s;
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
        auto* edit = control<QLineEdit>(u"EdtPic"_s);
        QGuiApplication::clipboard()->setText(u"-5x"_s);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), u"-5x"_s);
    }

    // Pasting puts a minus into the size field; the run reads the field again when it starts and takes the number
    // it says, as the page's own parameter step reads any number, into a folder named as the field shows it.
    void aPastedMinusIsTakenAsANegativeSize() {
        listFiles({u"empty.txt"_s});
        WriteTestFile(path(u"src/empty.txt"_s), QByteArray());
        control<QTabWidget>(u"PageControl1"_s)->setCurrentIndex(SizePage);
        auto* size = control<QLineEdit>(u"EdtSize"_s);
        size->clear();
        QGuiApplication::clipboard()->setText(u"-5"_s);
        QTest::keyClick(size, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(size->text(), u"-5"_s);
        control<QComboBox>(u"CmbCondition"_s)->setCurrentIndex(0);
        control<QComboBox>(u"CmbUnit"_s)->setCurrentIndex(0);
        control<QLineEdit>(u"EdtOutDir"_s)->setText(path(u"out"_s));
        ShownMessage done;
        answerNextMessage(&done);
        QTest::mouseClick(control(u"BtnCopy"_s), Qt::LeftButton);
        QCOMPARE(done.text, u"分拣工作完成！\n失败 0 个，已分拣 1 个，因同名未处理 0 个，不符合条件 0 个。"_s);
        QCOMPARE(EntriesOf(path(u"out/大于-5KB"_s)), QStringList{u"empty.txt"_s});
    }

    void aKeywordSortThroughTheWindow() {
        listFiles({u"西游记.txt"_s, u"东游记.doc"_s, u"红楼梦.txt"_s});
        WriteTestFile(path(u"out/游记/西游记.txt"_s), "old");
        control<QTabWidget>(u"PageControl1"_s)->setCurrentIndex(KeywordPage);
        typeThroughInputMethod(control(u"EdtKeys"_s), u"游记"_s);
        control<QLineEdit>(u"EdtOutDir"_s)->setText(path(u"out"_s));
        QTest::mouseClick(control(u"RbAsk"_s), Qt::LeftButton);
        QTest::mouseClick(control(u"RbMove"_s), Qt::LeftButton);

        // The question comes while the run holds its lock.
        ShownMessage question;
        ShownMessage done;
        QMap<QString, bool> enabledDuringRun;
        bool outDirReadOnly = false;
        answerNextMessage(&question, QMessageBox::Yes, [&] {
            for (const QString& name :
                 {u"BtnCopy"_s, u"PageControl1"_s, u"Button3"_s, u"Button1"_s, u"Button5"_s, u"Button2"_s, u"Button6"_s,
                  u"BtnImpFileList"_s, u"BtnSaveFileList"_s, u"RbOverwrite"_s, u"ChkInclude"_s}) {
                enabledDuringRun[name] = control(name)->isEnabled();
            }
            outDirReadOnly = control<QLineEdit>(u"EdtOutDir"_s)->isReadOnly();
            answerNextMessage(&done, QMessageBox::Ok,
                              [&] { QCOMPARE(control<QProgressBar>(u"ProgressBar1"_s)->value(), 100); });
        });
        QTest::mouseClick(control(u"BtnCopy"_s), Qt::LeftButton);

        QCOMPARE(question.title, u"Varnoth"_s);
        QCOMPARE(question.icon, QMessageBox::Question);
        QCOMPARE(question.text, u"文件"_s + path(u"out/游记/西游记.txt"_s) + u"已存在，是否覆盖？"_s);
        QCOMPARE(done.text, u"分拣工作完成！\n失败 0 个，已分拣 2 个，因同名未处理 0 个，不符合条件 1 个。"_s);
        QCOMPARE(done.icon, QMessageBox::Information);
        QCOMPARE(done.title, u"Varnoth"_s);
        const QMap<QString, bool> expectedDuringRun = {
            {u"BtnCopy"_s, false},    {u"PageControl1"_s, false},   {u"Button3"_s, false},
            {u"Button1"_s, false},    {u"Button5"_s, false},        {u"Button2"_s, false},
            {u"Button6"_s, false},    {u"BtnImpFileList"_s, false}, {u"BtnSaveFileList"_s, true},
            {u"RbOverwrite"_s, true}, {u"ChkInclude"_s, true}};
        QCOMPARE(enabledDuringRun, expectedDuringRun);
        QVERIFY(outDirReadOnly);

        QCOMPARE(control<QLineEdit>(u"EdtOutDir"_s)->text(), path(u"out"_s) + u'/');
        QCOMPARE(EntriesOf(path(u"out/游记"_s)), (QStringList{u"东游记.doc"_s, u"西游记.txt"_s}));
        QCOMPARE(ReadTestFile(path(u"out/游记/西游记.txt"_s)), u"西游记.txt"_s.toUtf8());
        QCOMPARE(EntriesOf(path(u"src"_s)), QStringList{u"红楼梦.txt"_s});
        QCOMPARE(control<QProgressBar>(u"ProgressBar1"_s)->value(), 0);
        for (const QString& name : expectedDuringRun.keys()) {
            QVERIFY2(control(name)->isEnabled(), name.toUtf8());
        }
        QVERIFY(!control<QLineEdit>(u"EdtOutDir"_s)->isReadOnly());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // The chooser opens at the output folder, or the nearest folder above it that exists; it can make a folder; its
    // buttons speak the program's language.
    void theOutputFolderChooser() {
        QDir().mkpath(path(u"out"_s));
        control<QLineEdit>(u"EdtOutDir"_s)->setText(path(u"out/not yet/"_s));
        QString openedAt;
        QStringList buttons;
        bool canMakeFolders = false;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            openedAt = dialog->directory().path();
            canMakeFolders = dialog->findChild<QWidget*>(u"newFolderButton"_s)->isEnabled() &&
                             !dialog->testOption(QFileDialog::ReadOnly);
            for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons()) {
                buttons.append(button->text());
            }
            dialog->setDirectory(path(u"out"_s));
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::mouseClick(control(u"Button3"_s), Qt::LeftButton);
        QCOMPARE(openedAt, path(u"out"_s));
        QVERIFY(canMakeFolders);
        QCOMPARE(buttons.size(), 2);
        for (const QString& text : buttons) {
            QVERIFY2(!text.contains(u"Choose"_s) && !text.contains(u"Cancel"_s) && !text.contains(u"Open"_s),
                     qPrintable(text));
        }
        QCOMPARE(control<QLineEdit>(u"EdtOutDir"_s)->text(), path(u"out/"_s));
    }

    void aBadFieldGetsTheFocus() {
        listFiles({u"a.txt"_s});
        mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow()));
        control<QTabWidget>(u"PageControl1"_s)->setCurrentIndex(KeywordPage);
        control(u"BtnCopy"_s)->setFocus();
        ShownMessage shown;
        answerNextMessage(&shown);
        QTest::mouseClick(control(u"BtnCopy"_s), Qt::LeftButton);
        QCOMPARE(shown.text, u"请输入匹配关键字!"_s);
        QCOMPARE(shown.icon, QMessageBox::Information);
        QTRY_COMPARE(mainWindow().focusWidget(), control(u"EdtKeys"_s));
        QVERIFY(control(u"BtnCopy"_s)->isEnabled());
    }

    void anEmptyListIsReported() {
        ShownMessage shown;
        answerNextMessage(&shown);
        QTest::mouseClick(control(u"BtnCopy"_s), Qt::LeftButton);
        QCOMPARE(shown.text, u"没有需要分拣的文件!"_s);
    }

    void closingDuringARunStopsAfterTheCurrentFile() {
        listFiles({u"游记1.txt"_s, u"游记2.txt"_s});
        WriteTestFile(path(u"out/游记/游记1.txt"_s), "old");
        control<QTabWidget>(u"PageControl1"_s)->setCurrentIndex(KeywordPage);
        control<QLineEdit>(u"EdtKeys"_s)->setText(u"游记"_s);
        control<QLineEdit>(u"EdtOutDir"_s)->setText(path(u"out"_s));
        QTest::mouseClick(control(u"RbAsk"_s), Qt::LeftButton);
        ShownMessage question;
        answerNextMessage(&question, QMessageBox::No, [&] { mainWindow().close(); });
        QTest::mouseClick(control(u"BtnCopy"_s), Qt::LeftButton);
        QVERIFY(!question.text.isEmpty());
        QVERIFY(!mainWindow().isVisible());
        QCOMPARE(EntriesOf(path(u"out/游记"_s)), QStringList{u"游记1.txt"_s});
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"

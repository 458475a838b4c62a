#include "core/CriterionPage.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowTest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>

using namespace Qt::StringLiterals;

// The saved sorts in the main window: saving, choosing, editing after choosing, replacing and deleting them.
class TestPresetWindow : public WindowTest {
    Q_OBJECT
public:
    TestPresetWindow() : WindowTest(Start::ByTheTest) {}

private:
    static QString presetFile(const QString& fileName) { return configFolder() + u"/Varnoth/presets/"_s + fileName; }
    QComboBox* presets() { return control<QComboBox>(Control::CmbPreset); }
    bool checked(const QString& name) { return control<QAbstractButton>(name)->isChecked(); }
    void click(const QString& name) { QTest::mouseClick(control(name), Qt::LeftButton); }

    // Puts name into CmbPreset's field and clicks the save button.
    void saveAs(const QString& name) {
        presets()->setEditText(name);
        click(Control::BtnSavePreset);
    }

    // Chooses the saved sort name from CmbPreset's list, as a user does with the mouse.
    void choose(const QString& name) {
        const int index = presets()->findText(name);
        QVERIFY(index >= 0);
        presets()->showPopup();
        QAbstractItemView* list = presets()->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        const QRect item = list->visualRect(list->model()->index(index, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        QCOMPARE(presets()->currentText(), name);
    }

    // Choices that differ from the window's first ones in every part a saved sort holds.
    void chooseDocumentsByType() {
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(TypePage);
        click(Control::ChkInclude);
        control<QListWidget>(Control::ListBox2)->addItems({u"*.doc"_s, u"*.pdf"_s});
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"文档"_s));
        click(Control::RbMove);
        click(Control::RbRename);
        click(Control::ChkSkipIdentical);
        control<QDateEdit>(Control::DtDate)->setDate(QDate(2021, 3, 4));
        control<QTimeEdit>(Control::DtTime)->setTime(QTime(5, 6, 7));
    }

private slots:
    void savedSortFillsTheWindowAndIsRemembered() {
        startWindows();
        chooseDocumentsByType();
        saveAs(u"文档 <b>"_s);
        const QByteArray saved = ReadTestFile(presetFile(u"文档%20<b>.ini"_s));
        QVERIFY(saved.contains("\nDTDate=2021-03-04\n"));
        QVERIFY(saved.contains("\nDTTime=05:06:07\n"));

        // Other choices, then the saved sort chosen again: the window shows what it holds.
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        click(Control::ChkInclude);
        control<QListWidget>(Control::ListBox2)->clear();
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"别处"_s));
        click(Control::RbCopy);
        click(Control::RbSkip);
        control<QDateEdit>(Control::DtDate)->setDate(QDate(2000, 1, 1));
        choose(u"文档 <b>"_s);
        QCOMPARE(control<QTabWidget>(Control::PageControl1)->currentIndex(), TypePage);
        QVERIFY(checked(Control::ChkInclude));
        QVERIFY(control<QAbstractButton>(Control::BtnAddSuffix)->isEnabled());
        QCOMPARE(control<QListWidget>(Control::ListBox2)->count(), 2);
        QCOMPARE(control<QLineEdit>(Control::EdtOutDir)->text(), path(u"文档"_s));
        QVERIFY(checked(Control::RbMove));
        QVERIFY(checked(Control::RbRename));
        QVERIFY(checked(Control::ChkSkipIdentical));
        QCOMPARE(control<QDateEdit>(Control::DtDate)->date(), QDate(2021, 3, 4));
        QCOMPARE(control<QTimeEdit>(Control::DtTime)->time(), QTime(5, 6, 7));

        // Editing after choosing changes the window, not the saved sort.
        QVERIFY(QDir().mkpath(path(u"覆盖"_s)));
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"覆盖"_s));
        click(Control::RbCopy);
        QCOMPARE(ReadTestFile(presetFile(u"文档%20<b>.ini"_s)), saved);

        // The settings file remembers the saved sort chosen last, and the next start shows it without filling.
        QVERIFY(mainWindow().close());
        QVERIFY(ReadTestFile(configFolder() + u"/Varnoth.ini"_s).contains("\nPreset=文档 <b>\n"));
        startWindows();
        QCOMPARE(presets()->currentText(), u"文档 <b>"_s);
        QCOMPARE(control<QLineEdit>(Control::EdtOutDir)->text(), path(u"覆盖"_s));
        QVERIFY(checked(Control::RbCopy));
    }

    void replacingAsksFirst() {
        startWindows();
        saveAs(u"p"_s);
        const QByteArray first = ReadTestFile(presetFile(u"p.ini"_s));
        chooseDocumentsByType();
        ShownMessage question;
        answerNextMessage(&question, QMessageBox::No);
        saveAs(u"p"_s);
        QCOMPARE(question.icon, QMessageBox::Question);
        QCOMPARE(question.text, u"方案“p”已存在。要替换它吗？"_s);
        QCOMPARE(ReadTestFile(presetFile(u"p.ini"_s)), first);
        answerNextMessage(&question, QMessageBox::Yes);
        saveAs(u"p"_s);
        QVERIFY(ReadTestFile(presetFile(u"p.ini"_s)).contains("\nPage=2\n"));
        QCOMPARE(presets()->count(), 1);
    }

    void deletingAsksFirst() {
        startWindows();
        saveAs(u"a"_s);
        saveAs(u"b"_s);
        QCOMPARE(presets()->count(), 2);
        ShownMessage question;
        answerNextMessage(&question, QMessageBox::No);
        click(Control::BtnDeletePreset);
        QCOMPARE(question.text, u"要删除方案“b”吗？"_s);
        QVERIFY(QFileInfo::exists(presetFile(u"b.ini"_s)));
        answerNextMessage(&question, QMessageBox::Yes);
        click(Control::BtnDeletePreset);
        QVERIFY(!QFileInfo::exists(presetFile(u"b.ini"_s)));
        QCOMPARE(presets()->count(), 1);
        QCOMPARE(presets()->itemText(0), u"a"_s);
        // A name no saved sort has is said so, and nothing is deleted.
        ShownMessage warning;
        answerNextMessage(&warning);
        presets()->setEditText(u"b"_s);
        click(Control::BtnDeletePreset);
        QCOMPARE(warning.text, u"没有名为“b”的方案。"_s);
        QVERIFY(QFileInfo::exists(presetFile(u"a.ini"_s)));
    }

    // A name a saved sort cannot have, and a saved sort that cannot be read: a box says why, and nothing changes.
    void refusals() {
        startWindows();
        saveAs(u"ok"_s);
        WriteTestFile(presetFile(u"broken.ini"_s),
                      ReadTestFile(presetFile(u"ok.ini"_s)).replace("\nSameFile=0\n", "\nSameFile=ask\n"));
        // The list shows the saved sorts there are when the window starts.
        QVERIFY(mainWindow().close());
        startWindows();
        chooseDocumentsByType();
        ShownMessage warning;
        answerNextMessage(&warning);
        saveAs(u"a/b"_s);
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QCOMPARE(warning.text, u"方案名称不能为空，不能含有“/”或换行，且不能超过200字节。"_s);
        QVERIFY(!QFileInfo::exists(configFolder() + u"/Varnoth/presets/a"_s));
        answerNextMessage(&warning);
        choose(u"broken"_s);
        QCOMPARE(warning.text, u"方案“broken”无法读取：“SameFile”的值“ask”无效。"_s);
        QCOMPARE(control<QTabWidget>(Control::PageControl1)->currentIndex(), TypePage);
        QVERIFY(checked(Control::RbRename));
        // An output folder with a blank at its end would come back without it: it is not saved.
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out "_s));
        answerNextMessage(&warning);
        saveAs(u"blank"_s);
        QCOMPARE(warning.text, u"无法保存方案“blank”：“OutDir”的值“%1”首尾有空白或含有换行。"_s.arg(path(u"out "_s)));
        QVERIFY(!QFileInfo::exists(presetFile(u"blank.ini"_s)));
    }
};

QTEST_MAIN(TestPresetWindow)
#include "test_preset_window.moc"

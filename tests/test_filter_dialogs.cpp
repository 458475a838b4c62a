#include "core/CriterionPage.h"
#include "testsupport/WindowTest.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

// The type list and its dialog, the filter check boxes, the range check box and the About window, offscreen.
class TestFilterDialogs : public WindowTest {
    Q_OBJECT
private:
    QStringList typeList() {
        auto* list = control<QListWidget>(Control::ListBox2);
        QStringList entries;
        for (int row = 0; row < list->count(); ++row) {
            entries.append(list->item(row)->text());
        }
        return entries;
    }
    // Opens the type dialog, types text and presses its button; returns the message the dialog showed when one is
    // expected, and whether the dialog was still open afterwards (it is then closed).
    std::pair<QString, bool> addType(const QString& text, bool expectMessage = false) {
        ShownMessage shown;
        bool stillOpen = false;
        onNextModal([&](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(Control::Edit1)->setText(text);
            if (expectMessage) {
                answerNextMessage(&shown);
            }
            dialog->findChild<QAbstractButton*>(Control::Button1)->click();
            stillOpen = dialog->isVisible();
            dialog->close();
        });
        QTest::mouseClick(control(Control::BtnAddSuffix), Qt::LeftButton);
        return {shown.text, stillOpen};
    }

private slots:
    void theFilterBoxesExcludeEachOther() {
        auto* include = control<QAbstractButton>(Control::ChkInclude);
        auto* exclude = control<QAbstractButton>(Control::ChkExclude);
        QTest::mouseClick(include, Qt::LeftButton);
        QVERIFY(include->isChecked());
        QVERIFY(control(Control::BtnAddSuffix)->isEnabled() && control(Control::BtnDelSuffix)->isEnabled());
        QTest::mouseClick(exclude, Qt::LeftButton);
        QVERIFY(exclude->isChecked() && !include->isChecked());
        QVERIFY(control(Control::BtnAddSuffix)->isEnabled() && control(Control::BtnDelSuffix)->isEnabled());
        QTest::mouseClick(exclude, Qt::LeftButton);
        QVERIFY(!exclude->isChecked() && !include->isChecked());
        QVERIFY(!control(Control::BtnAddSuffix)->isEnabled() && !control(Control::BtnDelSuffix)->isEnabled());
        QVERIFY(control(Control::ListBox2)->isEnabled());
    }

    void theTypeDialogCleansAndChecksWhatIsTyped() {
        QTest::mouseClick(control(Control::ChkInclude), Qt::LeftButton);
        QCOMPARE(addType(u" *.TXT "_s), std::make_pair(QString(), false));
        QCOMPARE(typeList(), QStringList{u"*.TXT"_s});
        QCOMPARE(addType(u"*.txt"_s), std::make_pair(QString(), false)); // there already, in other letters
        QCOMPARE(addType(u"*.d|oc|"_s), std::make_pair(QString(), false));
        QCOMPARE(typeList(), (QStringList{u"*.TXT"_s, u"*.doc"_s}));
        QCOMPARE(addType(u"*."_s, true), std::make_pair(u"输入文件扩展名如:*.txt !"_s, true));
        QCOMPARE(addType(u"txt"_s, true), std::make_pair(u"输入文件扩展名如:*.txt !"_s, true));
        QCOMPARE(addType(u"|*.|"_s, true), std::make_pair(u"输入文件扩展名如:*.txt !"_s, true));
        QCOMPARE(typeList(), (QStringList{u"*.TXT"_s, u"*.doc"_s}));
        // The dialog keeps what was typed last.
        QCOMPARE(windows().typeEntry.findChild<QLineEdit*>(Control::Edit1)->text(), u"|*.|"_s);
        QCOMPARE(windows().typeEntry.windowTitle(), u"添加文件类型"_s);
    }

    void enterPressesTheDefaultButtonOfTheDialogs() {
        QTest::mouseClick(control(Control::ChkInclude), Qt::LeftButton);
        onNextModal([](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(Control::Edit1);
            edit->setText(u"*.png"_s);
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QTest::mouseClick(control(Control::BtnAddSuffix), Qt::LeftButton);
        QCOMPARE(typeList(), QStringList{u"*.png"_s});

        onNextModal([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
        QTest::mouseClick(control(Control::BtnAout), Qt::LeftButton);
        QVERIFY(!windows().about.isVisible());
    }

    void deletingATypeTakesTheSelectedOne() {
        auto* list = control<QListWidget>(Control::ListBox2);
        list->addItems({u"*.a"_s, u"*.b"_s, u"*.c"_s});
        QTest::mouseClick(control(Control::ChkExclude), Qt::LeftButton);
        list->clearSelection();
        QTest::mouseClick(control(Control::BtnDelSuffix), Qt::LeftButton);
        QCOMPARE(typeList(), (QStringList{u"*.a"_s, u"*.b"_s, u"*.c"_s}));
        list->item(1)->setSelected(true);
        QTest::mouseClick(control(Control::BtnDelSuffix), Qt::LeftButton);
        QCOMPARE(typeList(), (QStringList{u"*.a"_s, u"*.c"_s}));
    }

    void theRangeBoxFillsAndEmptiesItsFields_data() {
        QTest::addColumn<QString>("begin");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("beginAfter");
        QTest::addColumn<QString>("focused");
        QTest::newRow("both empty") << QString() << QString() << u"1"_s << Control::EdtPartNameEnd;
        QTest::newRow("start empty") << QString() << u"3"_s << QString() << Control::EdtPartNameBegin;
        QTest::newRow("end empty") << u"2"_s << QString() << u"2"_s << Control::EdtPartNameEnd;
        QTest::newRow("both filled") << u"2"_s << u"3"_s << u"2"_s << Control::ChkFileNamePart;
    }
    void theRangeBoxFillsAndEmptiesItsFields() {
        QFETCH(QString, begin);
        QFETCH(QString, end);
        QFETCH(QString, beginAfter);
        QFETCH(QString, focused);
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(NamePage);
        control<QLineEdit>(Control::EdtPartNameBegin)->setText(begin);
        control<QLineEdit>(Control::EdtPartNameEnd)->setText(end);
        auto* range = control<QAbstractButton>(Control::ChkFileNamePart);
        range->setFocus();
        QTest::mouseClick(range, Qt::LeftButton);
        QVERIFY(range->isChecked());
        QCOMPARE(control<QLineEdit>(Control::EdtPartNameBegin)->text(), beginAfter);
        QCOMPARE(mainWindow().focusWidget()->objectName(), focused);
        QTest::mouseClick(range, Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(Control::EdtPartNameBegin)->text(), QString());
        QCOMPARE(control<QLineEdit>(Control::EdtPartNameEnd)->text(), QString());
    }

    void theAboutWindow() {
        QCOMPARE(windows().about.windowTitle(), u"关于 - Varnoth"_s);
        QString shownText;
        onNextModal([&](QWidget* dialog) {
            shownText = dialog->findChild<QTextBrowser*>(Control::WebBrowser1)->toPlainText();
            dialog->findChild<QAbstractButton*>(Control::Button1)->click();
        });
        QTest::mouseClick(control(Control::BtnAout), Qt::LeftButton);
        QVERIFY(shownText.contains(u"/soft/AboutVarnoth.asp?VER=2.0"_s));
        QVERIFY(!windows().about.isVisible());
    }
};

QTEST_MAIN(TestFilterDialogs)
#include "test_filter_dialogs.moc"

#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "testsupport/OutputTree.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TestImages.h"
#include "testsupport/VisibleTexts.h"
#include "testsupport/WindowTest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::function<void()>)

// The program run under LANGUAGE=en (ctest sets it for this test): every window, dialog and message box speaks
// English, and the folders are still named as in Chinese, so that an English run finds what a Chinese run made.
class TestEnglishWindows : public WindowTest {
    Q_OBJECT
private:
    QStringList m_texts;

    // Takes the texts of the next modal window and closes it (a message box with its No or OK button).
    void readNextModal() {
        onNextModal([this](QWidget* modal) {
            m_texts += VisibleTexts(*modal);
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                QAbstractButton* no = box->button(QMessageBox::No);
                (no ? no : box->button(QMessageBox::Ok))->click();
            } else {
                modal->close();
            }
        });
    }
    void listFile(const QString& name, const QByteArray& content = "x") {
        form().fileList().AppendUnique({WriteTestFile(path(u"in/"_s + name), content)});
    }
    void chooseOutput() { control<QLineEdit>(u"EdtOutDir"_s)->setText(path(u"out"_s)); }
    void click(const QString& name) { QTest::mouseClick(control(name), Qt::LeftButton); }

private slots:
    // The main window on each of its pages, with its menus, and the dialogs it opens.
    void theWindowsSpeakEnglish() {
        QCOMPARE(control<QAbstractButton>(u"BtnCopy"_s)->text(), u"Start"_s);
        // A count speaks English grammar: one file, two files.
        listFile(u"a.txt"_s);
        QCOMPARE(control<QLabel>(u"LblFileCount"_s)->text(), u"1 file"_s);
        listFile(u"b.txt"_s);
        QCOMPARE(control<QLabel>(u"LblFileCount"_s)->text(), u"2 files"_s);
        auto* pages = control<QTabWidget>(u"PageControl1"_s);
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            m_texts += VisibleTexts(form());
        }
        readNextModal();
        click(u"BtnAout"_s);
        readNextModal();
        click(u"Button5"_s);
        click(u"ChkInclude"_s);
        readNextModal();
        click(u"BtnAddSuffix"_s);
        QVERIFY(m_texts.size() > 100);
        const QStringList chinese = WithCjkCharacters(m_texts);
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(u'\n')));
    }

    void theMessageBoxesSpeakEnglish_data() {
        QTest::addColumn<std::function<void()>>("setUp");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("boxes");
        QTest::newRow("empty list exported") << std::function<void()>([] {}) << u"BtnSaveFileList"_s << 1;
        QTest::newRow("nothing to sort") << std::function<void()>([] {}) << u"BtnCopy"_s << 1;
        const auto onPage = [this](int page) {
            listFile(u"a.txt"_s);
            chooseOutput();
            control<QTabWidget>(u"PageControl1"_s)->setCurrentIndex(page);
        };
        QTest::newRow("no keyword") << std::function<void()>([=] { onPage(KeywordPage); }) << u"BtnCopy"_s << 1;
        QTest::newRow("no range") << std::function<void()>([=, this] {
            onPage(NamePage);
            control<QAbstractButton>(u"ChkFileNamePart"_s)->click();
            control<QLineEdit>(u"EdtPartNameBegin"_s)->setText(u"x"_s);
        }) << u"BtnCopy"_s << 1;
        QTest::newRow("no size") << std::function<void()>([=, this] {
            onPage(SizePage);
            control<QLineEdit>(u"EdtSize"_s)->setText(u"x"_s);
        }) << u"BtnCopy"_s << 1;
        QTest::newRow("no picture size") << std::function<void()>([=, this] {
            onPage(ImagePage);
            control<QLineEdit>(u"EdtPic"_s)->setText(u"x"_s);
        }) << u"BtnCopy"_s << 1;
        QTest::newRow("no type to include") << std::function<void()>([=, this] {
            onPage(TypePage);
            click(u"ChkInclude"_s);
        }) << u"BtnCopy"_s << 1;
        // The question with both files' facts, then the completion box.
        QTest::newRow("overwrite question") << std::function<void()>([=, this] {
            onPage(TypePage);
            WriteTestFile(path(u"out/.txt/a.txt"_s), "old");
            control<QRadioButton>(u"RbAsk"_s)->click();
        }) << u"BtnCopy"_s << 2;
        QTest::newRow("failure in the details") << std::function<void()>([=, this] {
            onPage(TypePage);
            QVERIFY(::chmod(WriteTestFile(path(u"out/.txt/a.txt"_s), "old").constData(), 0444) == 0);
            control<QRadioButton>(u"RbOverwrite"_s)->click();
        }) << u"BtnCopy"_s << 1;
    }
    void theMessageBoxesSpeakEnglish() {
        QFETCH(std::function<void()>, setUp);
        QFETCH(QString, button);
        QFETCH(int, boxes);
        setUp();
        for (int box = 0; box < boxes; ++box) {
            readNextModal();
        }
        m_texts.clear();
        click(button);
        QVERIFY(!m_texts.isEmpty());
        const QStringList chinese = WithCjkCharacters(m_texts);
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(u'\n')));
    }

    // What the drop-down lists show is English; the folders keep the Chinese names.
    void theFoldersKeepTheirChineseNames_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("folder");
        QTest::newRow("larger than") << int(SizePage) << u"CmbCondition"_s << 0 << u"larger than"_s << u"大于1KB"_s;
        QTest::newRow("smaller than") << int(SizePage) << u"CmbCondition"_s << 1 << u"smaller than"_s << u"小于1KB"_s;
        QTest::newRow("at least") << int(ImagePage) << u"CmbPic"_s << 0 << u"at least"_s << u"大于等于1"_s;
        QTest::newRow("at most") << int(ImagePage) << u"CmbPic"_s << 1 << u"at most"_s << u"小于等于1"_s;
        QTest::newRow("exactly") << int(ImagePage) << u"CmbPic"_s << 2 << u"exactly"_s << u"等于1"_s;
    }
    void theFoldersKeepTheirChineseNames() {
        QFETCH(int, page);
        QFETCH(QString, control);
        QFETCH(int, index);
        QFETCH(QString, shown);
        QFETCH(QString, folder);
        // A one-pixel picture of 1,024 bytes or more, or a small one, fits each condition of its page.
        QVERIFY(WriteTestImage(path(u"in/p.png"_s), "png", 1, 1));
        const QByteArray picture = QFile::encodeName(path(u"in/p.png"_s));
        QVERIFY(::truncate(picture.constData(), index == 0 && page == SizePage ? 2048 : 200) == 0);
        form().fileList().AppendUnique({picture});
        chooseOutput();
        this->control<QTabWidget>(u"PageControl1"_s)->setCurrentIndex(page);
        this->control<QLineEdit>(page == SizePage ? u"EdtSize"_s : u"EdtPic"_s)->setText(u"1"_s);
        auto* box = this->control<QComboBox>(control);
        box->setCurrentIndex(index);
        QCOMPARE(box->currentText(), shown);
        readNextModal();
        click(u"BtnCopy"_s);
        QCOMPARE(TreeOf(path(u"out"_s)), (QStringList{folder + u'/', folder + u"/p.png"_s}));
    }
};

QTEST_MAIN(TestEnglishWindows)
#include "test_english_windows.moc"

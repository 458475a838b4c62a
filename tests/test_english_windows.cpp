#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "journal/JournalLine.h"
#include "journal/RunJournal.h"
#include "journal/Undo.h"
#include "testsupport/CompletePlan.h"
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
    std::unique_ptr<RunJournal> m_runningRun;

    // Takes the texts of the next modal window and closes it (a message box with its answer button, or OK where it
    // has none).
    void readNextModal(QMessageBox::StandardButton answer = QMessageBox::No) {
        onNextModal([this, answer](QWidget* modal) {
            if (modal->objectName() == Control::TfrmPreview) {
                QVERIFY(WaitForCompletePlan(*modal));
            }
            m_texts += VisibleTexts(*modal);
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                QAbstractButton* button = box->button(answer);
                (button ? button : box->button(QMessageBox::Ok))->click();
            } else {
                modal->close();
            }
        });
    }
    void listFile(const QString& name, const QByteArray& content = "x") {
        mainWindow().fileList().AppendUnique({WriteTestFile(path(u"in/"_s + name), content)});
    }
    void chooseOutput() { control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s)); }
    void click(const QString& name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    // A run in the journal folder that ends as state says: "complete", "stopped", "interrupted", "running" (its
    // journal stays open), "undone", or "undo cut off" (complete, with an undo begun and never ended).
    void journalRun(const QByteArray& state) {
        RunHeader header;
        header.page = NamePage;
        header.move = state == "stopped";
        header.listSize = 3;
        Fs::Result<std::unique_ptr<RunJournal>> started = RunJournal::start(JournalFolder::standard(), header);
        QVERIFY(!started.failed() && !(*started)->error().failed());
        std::unique_ptr<RunJournal> journal = std::move(*started);
        const QByteArray id = journal->id();
        if (state == "running") {
            m_runningRun = std::move(journal);
            return;
        }
        if (state != "interrupted") {
            QVERIFY(!journal->finish({state == "stopped", {0, 1, 1, 1}}).failed());
        }
        journal.reset();
        if (state == "undone") {
            QVERIFY(UndoRun(JournalFolder::standard(), id).status == UndoResult::Status::Done);
        } else if (state == "undo cut off") {
            QFile file(QFile::decodeName(JournalFolder::standard().journalPath(id)));
            QVERIFY(file.open(QIODevice::Append));
            file.write(JournalLineWriter("undo-begin").number("time", 1).line());
        }
    }

private slots:
    // The journals and the trash follow each test's home.
    void initTestCase() {
        qunsetenv("XDG_STATE_HOME");
        qunsetenv("XDG_DATA_HOME");
    }
    void cleanup() {
        m_runningRun.reset();
        WindowTest::cleanup();
    }

    // The main window on each of its pages, with its menus, and the dialogs it opens.
    void theWindowsSpeakEnglish() {
        QCOMPARE(control<QAbstractButton>(Control::BtnCopy)->text(), u"Start"_s);
        // A count speaks English grammar: one file, two files.
        listFile(u"a.txt"_s);
        QCOMPARE(control<QLabel>(Control::LblFileCount)->text(), u"1 file"_s);
        listFile(u"b.txt"_s);
        QCOMPARE(control<QLabel>(Control::LblFileCount)->text(), u"2 files"_s);
        auto* pages = control<QTabWidget>(Control::PageControl1);
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            m_texts += VisibleTexts(mainWindow());
        }
        readNextModal();
        click(Control::BtnAout);
        readNextModal();
        click(Control::Button5);
        click(Control::ChkInclude);
        readNextModal();
        click(Control::BtnAddSuffix);
        QVERIFY(m_texts.size() > 100);
        const QStringList chinese = WithCjkCharacters(m_texts);
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(u'\n')));
    }

    // Each row opens its dialogs and message boxes from a button; shown are texts that some of them must show, so
    // that the walk is known to reach the tables and boxes that matter.
    void theDialogsAndMessageBoxesSpeakEnglish_data() {
        QTest::addColumn<std::function<void()>>("setUp");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("shown");
        const auto row = [](const char* name, std::function<void()> setUp, const QString& button, int boxes,
                            QMessageBox::StandardButton answer = QMessageBox::No, const QStringList& shown = {}) {
            QTest::newRow(name) << setUp << button << boxes << int(answer) << shown;
        };
        row(
            "empty list exported", [] {}, Control::BtnSaveFileList, 1);
        row(
            "nothing to sort", [] {}, Control::BtnCopy, 1);
        const auto onPage = [this](int page) {
            listFile(u"a.txt"_s);
            chooseOutput();
            control<QTabWidget>(Control::PageControl1)->setCurrentIndex(page);
        };
        row(
            "no keyword", [=] { onPage(KeywordPage); }, Control::BtnCopy, 1);
        row(
            "no range",
            [=, this] {
                onPage(NamePage);
                control<QAbstractButton>(Control::ChkFileNamePart)->click();
                control<QLineEdit>(Control::EdtPartNameBegin)->setText(u"x"_s);
            },
            Control::BtnCopy, 1);
        row(
            "no size",
            [=, this] {
                onPage(SizePage);
                control<QLineEdit>(Control::EdtSize)->setText(u"x"_s);
            },
            Control::BtnCopy, 1);
        row(
            "no picture size",
            [=, this] {
                onPage(ImagePage);
                control<QLineEdit>(Control::EdtPic)->setText(u"x"_s);
            },
            Control::BtnCopy, 1);
        row(
            "no type to include",
            [=, this] {
                onPage(TypePage);
                click(Control::ChkInclude);
            },
            Control::BtnCopy, 1);
        // The question with both files' facts, then the completion box.
        row(
            "overwrite question",
            [=, this] {
                onPage(TypePage);
                WriteTestFile(path(u"out/.txt/a.txt"_s), "old");
                control<QRadioButton>(Control::RbAsk)->click();
            },
            Control::BtnCopy, 2);
        row(
            "failure in the details",
            [=, this] {
                onPage(TypePage);
                QVERIFY(::chmod(WriteTestFile(path(u"out/.txt/a.txt"_s), "old").constData(), 0444) == 0);
                control<QRadioButton>(Control::RbOverwrite)->click();
            },
            Control::BtnCopy, 1);
        row("journal folder not writable",
            [=, this] {
                onPage(TypePage);
                WriteTestFile(homeFolder() + u"/.local/state/Varnoth"_s, "not a folder");
            },
            Control::BtnCopy, 1, QMessageBox::No, {u"Cannot write to the history folder:"_s, u"Continue"_s});
        // A plan with a copy, a skip, a file not matching and one that is gone: the table's header, its action and
        // reason cells, the summary and the filter's items.
        row("preview",
            [=, this] {
                listFile(u"photo1.jpg"_s);
                listFile(u"photo2.jpg"_s);
                listFile(u"other.txt"_s);
                listFile(u"photo_gone.jpg"_s);
                QVERIFY(QFile::remove(path(u"in/photo_gone.jpg"_s)));
                WriteTestFile(path(u"out/photo/photo2.jpg"_s), "old");
                onPage(KeywordPage);
                control<QLineEdit>(Control::EdtKeys)->setText(u"photo"_s);
                control<QRadioButton>(Control::RbSkip)->click();
            },
            Control::BtnPreview, 1, QMessageBox::No,
            {u"Action"_s, u"Reason"_s, u"skip"_s, u"not matching"_s, u"the file no longer exists"_s, u"All steps"_s,
             u"Refused: 1, to sort: 1"_s});
        row("history",
            [this] {
                for (const QByteArray state :
                     {"complete", "stopped", "interrupted", "running", "undone", "undo cut off"}) {
                    journalRun(state);
                }
            },
            Control::BtnHistory, 1, QMessageBox::No,
            {u"Status"_s, u"stopped"_s, u"interrupted"_s, u"running"_s, u"undone"_s, u"complete (undo unfinished)"_s,
             u"1 sorted"_s});
        // The question, then the result with the file that was changed after the run in its details.
        row("undo",
            [=, this] {
                onPage(TypePage);
                readNextModal();
                click(Control::BtnCopy);
                WriteTestFile(path(u"out/.txt/a.txt"_s), "changed");
            },
            Control::BtnUndo, 2, QMessageBox::Yes,
            {u"Undo this sort?"_s, u"Undo is complete!"_s, u"the file was changed after sorting"_s});
    }
    void theDialogsAndMessageBoxesSpeakEnglish() {
        QFETCH(std::function<void()>, setUp);
        QFETCH(QString, button);
        QFETCH(int, boxes);
        QFETCH(int, answer);
        QFETCH(QStringList, shown);
        setUp();
        for (int box = 0; box < boxes; ++box) {
            readNextModal(QMessageBox::StandardButton(answer));
        }
        m_texts.clear();
        click(button);
        QVERIFY(!m_texts.isEmpty());
        const QStringList chinese = WithCjkCharacters(m_texts);
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(u'\n')));
        for (const QString& text : shown) {
            QVERIFY2(!m_texts.filter(text).isEmpty(), qPrintable(text));
        }
    }

    // What the drop-down lists show is English; the folders keep the Chinese names.
    void theFoldersKeepTheirChineseNames_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("folder");
        QTest::newRow("larger than") << int(SizePage) << Control::CmbCondition << 0 << u"larger than"_s << u"大于1KB"_s;
        QTest::newRow("smaller than") << int(SizePage) << Control::CmbCondition << 1 << u"smaller than"_s
                                      << u"小于1KB"_s;
        QTest::newRow("at least") << int(ImagePage) << Control::CmbPic << 0 << u"at least"_s << u"大于等于1"_s;
        QTest::newRow("at most") << int(ImagePage) << Control::CmbPic << 1 << u"at most"_s << u"小于等于1"_s;
        QTest::newRow("exactly") << int(ImagePage) << Control::CmbPic << 2 << u"exactly"_s << u"等于1"_s;
    }
    void theFoldersKeepTheirChineseNames() {
        QFETCH(int, page);
        QFETCH(QString, control);
        QFETCH(int, index);
        QFETCH(QString, shown);
        QFETCH(QString, folder);
        // A one-pixel picture of 1,024 bytes or more, or a small one, fits each condition of its page.
        const QByteArray picture =
            WriteOnePixelPicture(path(u"in/p.png"_s), index == 0 && page == SizePage ? 2048 : 200);
        QVERIFY(!picture.isEmpty());
        mainWindow().fileList().AppendUnique({picture});
        chooseOutput();
        this->control<QTabWidget>(Control::PageControl1)->setCurrentIndex(page);
        this->control<QLineEdit>(page == SizePage ? Control::EdtSize : Control::EdtPic)->setText(u"1"_s);
        auto* box = this->control<QComboBox>(control);
        box->setCurrentIndex(index);
        QCOMPARE(box->currentText(), shown);
        readNextModal();
        click(Control::BtnCopy);
        QCOMPARE(TreeOf(path(u"out"_s)), (QStringList{folder + u'/', folder + u"/p.png"_s}));
    }
};

QTEST_MAIN(TestEnglishWindows)
#include "test_english_windows.moc"

#include "JournalTestEnvironment.h"
#include "TreeSnapshot.h"
#include "core/CriterionPage.h"
#include "engine/criteria/DateCriterion.h"
#include "filelist/FileListModel.h"
#include "settings/SettingsFile.h"
#include "testsupport/CompletePlan.h"
#include "testsupport/MediaTools.h"
#include "testsupport/ShownText.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowTest.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDirIterator>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

// The folders-by-date page and the taken time of the date page, driven through the main window with photos that
// exiftool and ImageMagick wrote.
class TestDateFoldersWindow : public WindowTest {
    Q_OBJECT
private:
    std::unique_ptr<JournalTestHome> m_home;
    MediaTools m_tools;

    // src/dated.jpg taken 2021-03-04 05:06:07 and modified 2022-01-02; src/undated.jpg with no taken date,
    // modified 2019-08-09; both in the file list.
    void listTwoPhotos() {
        const QString dated = path(u"src/dated.jpg"_s), undated = path(u"src/undated.jpg"_s);
        QDir().mkpath(path(u"src"_s));
        QCOMPARE(m_tools.makePicture(dated, 8, 8), QString());
        QCOMPARE(m_tools.makePicture(undated, 8, 8), QString());
        QCOMPARE(m_tools.writeTags({u"-DateTimeOriginal=2021:03:04 05:06:07"_s, dated}), QString());
        QVERIFY(SetModificationTime(dated, QDateTime(QDate(2022, 1, 2), QTime(12, 0))));
        QVERIFY(SetModificationTime(undated, QDateTime(QDate(2019, 8, 9), QTime(12, 0))));
        mainWindow().fileList().AppendUnique({QFile::encodeName(dated), QFile::encodeName(undated)});
    }

    void chooseDateFolders(const QString& pattern, const QString& source) {
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(DateFoldersPage);
        control<QComboBox>(Control::CmbDatePattern)->setEditText(pattern);
        control<QRadioButton>(source)->click();
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
    }

    // Starts the run and records the texts of the box that ends it.
    void startAndRecord(ShownBoxTexts* shown) {
        onNextModal([shown](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            *shown = ShownTexts(*box);
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
    }

    // The files below folder, as paths relative to it, sorted.
    static QStringList filesBelow(const QString& folder) {
        QStringList files;
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files.append(QDir(folder).relativeFilePath(it.next()));
        }
        files.sort();
        return files;
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

    void everyFileGoesIntoTheFoldersOfItsOwnDate_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("fallbackNoted");
        QTest::newRow("taken, the choice 年/月")
            << u"年/月"_s << Control::RbFolderTaken << QStringList{u"2019/08/undated.jpg"_s, u"2021/03/dated.jpg"_s}
            << true;
        QTest::newRow("taken, the choice 年/年-月")
            << u"年/年-月"_s << Control::RbFolderTaken
            << QStringList{u"2019/2019-08/undated.jpg"_s, u"2021/2021-03/dated.jpg"_s} << true;
        QTest::newRow("taken, a pattern typed with literal text and %%")
            << u"照片 %Y年/%m-%d 100%%"_s << Control::RbFolderTaken
            << QStringList{u"照片 2019年/08-09 100%/undated.jpg"_s, u"照片 2021年/03-04 100%/dated.jpg"_s} << true;
        QTest::newRow("modified, the choice 年-月-日")
            << u"年-月-日"_s << Control::RbFolderModify
            << QStringList{u"2019-08-09/undated.jpg"_s, u"2022-01-02/dated.jpg"_s} << false;
        const QString today = QDate::currentDate().toString(u"yyyy"_s);
        QTest::newRow("created, the choice 年")
            << u"年"_s << Control::RbFolderCreate << QStringList{today + u"/dated.jpg"_s, today + u"/undated.jpg"_s}
            << false;
    }
    void everyFileGoesIntoTheFoldersOfItsOwnDate() {
        if (const QString missing = m_tools.missing(); !missing.isEmpty()) {
            QSKIP(qPrintable(missing));
        }
        QFETCH(QString, pattern);
        QFETCH(QString, source);
        QFETCH(QStringList, files);
        QFETCH(bool, fallbackNoted);
        listTwoPhotos();
        if (source == Control::RbFolderCreate && !QFileInfo(path(u"src/dated.jpg"_s)).birthTime().isValid()) {
            // This file system keeps no birth time: the modification time stands in, and is counted.
            files = QStringList{u"2019/undated.jpg"_s, u"2022/dated.jpg"_s};
        }
        chooseDateFolders(pattern, source);
        ShownBoxTexts shown;
        startAndRecord(&shown);
        QCOMPARE(filesBelow(path(u"out"_s)), files);
        const QString note = u"%1：无拍摄时间，按修改时间"_s.arg(path(u"src/undated.jpg"_s));
        QCOMPARE(shown.details.contains(note), fallbackNoted);
        QVERIFY(!shown.details.contains(u"dated.jpg：无拍摄时间"_s.prepend(u'/')));
    }

    void aPatternThatCannotNameFoldersIsRefusedAtTheStart_data() {
        QTest::addColumn<QString>("pattern");
        QTest::newRow("empty") << QString();
        QTest::newRow("starting with /") << u"/%Y"_s;
        QTest::newRow("an empty level") << u"%Y//%m"_s;
        QTest::newRow("an empty last level") << u"%Y/"_s;
        QTest::newRow("a level .") << u"%Y/./%m"_s;
        QTest::newRow("a level ..") << u"../%Y"_s;
        QTest::newRow("an unknown token") << u"%Y/%q"_s;
        QTest::newRow("a % at the end") << u"%Y%"_s;
        QTest::newRow("no token") << u"photos"_s;
        QTest::newRow("a level of 256 bytes") << u"%Y"_s + QString(252, u'x');
        QTest::newRow("a level of 256 bytes in UTF-8") << u"%Y/%m"_s + QString(85, u'年');
        QTest::newRow("a level of 256 bytes in characters beyond 16 bits")
            << u"%Y"_s + QString(u"😀"_s).repeated(62) + u"xxxx"_s;
    }
    void aPatternThatCannotNameFoldersIsRefusedAtTheStart() {
        QFETCH(QString, pattern);
        mainWindow().fileList().AppendUnique({WriteTestFile(path(u"src/a.txt"_s))});
        chooseDateFolders(pattern, Control::RbFolderModify);
        ShownMessage shown;
        answerNextMessage(&shown);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QVERIFY2(shown.text.startsWith(u"日期格式无效："_s), qPrintable(shown.text));
        QWidget* focused = mainWindow().focusWidget();
        QVERIFY(focused);
        QVERIFY(focused == control(Control::CmbDatePattern) ||
                focused->parentWidget() == control(Control::CmbDatePattern));
        QVERIFY(!QFile::exists(path(u"out"_s)));
        QVERIFY(control(Control::BtnCopy)->isEnabled());
    }

    // A date folder that cannot be made (a file holds its name) fails the files bound for it, which stay where they
    // were even in a move, and the other files are sorted.
    void aFolderThatCannotBeMadeKeepsItsFiles() {
        if (const QString missing = m_tools.missing(); !missing.isEmpty()) {
            QSKIP(qPrintable(missing));
        }
        listTwoPhotos();
        WriteTestFile(path(u"out/2021"_s), "a file where the year's folder would be");
        chooseDateFolders(u"年/月"_s, Control::RbFolderTaken);
        control<QRadioButton>(Control::RbMove)->click();
        ShownBoxTexts shown;
        startAndRecord(&shown);
        QCOMPARE(filesBelow(path(u"out"_s)), (QStringList{u"2019/08/undated.jpg"_s, u"2021"_s}));
        QCOMPARE(filesBelow(path(u"src"_s)), QStringList{u"dated.jpg"_s});
        QVERIFY2(shown.text.contains(u"1"_s) && shown.details.contains(path(u"src/dated.jpg"_s)),
                 qPrintable(shown.text + u'\n' + shown.details));
    }

    void theLongestLevelIsAccepted_data() {
        QTest::addColumn<QString>("literal"); // after %Y: 251 bytes
        QTest::newRow("ASCII") << QString(251, u'x');
        QTest::newRow("characters beyond 16 bits") << QString(u"😀"_s).repeated(62) + u"xxx"_s;
    }
    void theLongestLevelIsAccepted() {
        QFETCH(QString, literal);
        mainWindow().fileList().AppendUnique({WriteTestFile(path(u"src/a.txt"_s))});
        QVERIFY(SetModificationTime(path(u"src/a.txt"_s), QDateTime(QDate(2020, 6, 7), QTime(8, 0))));
        chooseDateFolders(u"%Y"_s + literal, Control::RbFolderModify);
        ShownBoxTexts shown;
        startAndRecord(&shown);
        QCOMPARE(filesBelow(path(u"out"_s)), QStringList{u"2020"_s + literal + u"/a.txt"_s});
    }

    void thePreviewNamesEachFileWithoutATakenDate() {
        if (const QString missing = m_tools.missing(); !missing.isEmpty()) {
            QSKIP(qPrintable(missing));
        }
        listTwoPhotos();
        chooseDateFolders(u"年/月"_s, Control::RbFolderTaken);
        QStringList rows;
        onNextModal([&](QWidget* modal) {
            QVERIFY(WaitForCompletePlan(*modal));
            const QAbstractItemModel& model = *FindControl<QTableView>(*modal, Control::GridPlan)->model();
            for (int row = 0; row < model.rowCount(); ++row) {
                QStringList cells;
                for (int column = 0; column < model.columnCount(); ++column) {
                    cells.append(model.index(row, column).data().toString());
                }
                rows.append(cells.join(u" | "_s));
            }
            FindControl<QPushButton>(*modal, Control::BtnPlanClose)->click();
        });
        QTest::mouseClick(control(Control::BtnPreview), Qt::LeftButton);
        QCOMPARE(rows, (QStringList{u"dated.jpg | 2021/03/dated.jpg | 复制 | "_s,
                                    u"undated.jpg | 2019/08/undated.jpg | 复制 | 无拍摄时间，按修改时间"_s}));
        QVERIFY(!QFile::exists(path(u"out"_s)));
    }

    void theUndoButtonPutsBackADateFolderMove() {
        if (const QString missing = m_tools.missing(); !missing.isEmpty()) {
            QSKIP(qPrintable(missing));
        }
        listTwoPhotos();
        const QByteArray root = QFile::encodeName(testFolder());
        const TreeSnapshot before = SnapshotOf(root);
        chooseDateFolders(u"年/月/日"_s, Control::RbFolderTaken);
        control<QRadioButton>(Control::RbMove)->click();
        ShownBoxTexts shown;
        startAndRecord(&shown);
        QCOMPARE(filesBelow(path(u"out"_s)), (QStringList{u"2019/08/09/undated.jpg"_s, u"2021/03/04/dated.jpg"_s}));
        QCOMPARE(filesBelow(path(u"src"_s)), QStringList());

        ShownMessage question;
        answerNextMessage(&question, QMessageBox::Yes, [this] {
            onNextModal([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click(); });
        });
        QTest::mouseClick(control(Control::BtnUndo), Qt::LeftButton);
        QVERIFY2(question.text.contains(u"按日期归档"_s), qPrintable(question.text));
        const QByteArray differences = DifferencesBetween(before, SnapshotOf(root));
        QVERIFY2(differences.isEmpty(), differences.constData());
    }

    // The date page compares the taken time, and the modification time of a photo that records none.
    void theDatePageComparesTheTakenTime() {
        if (const QString missing = m_tools.missing(); !missing.isEmpty()) {
            QSKIP(qPrintable(missing));
        }
        listTwoPhotos();
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(DatePage);
        control<QRadioButton>(Control::RbTakenTime)->click();
        control<QComboBox>(Control::CmbFileDate)->setCurrentIndex(0);
        control<QDateEdit>(Control::DtDate)->setDate(QDate(2021, 3, 4));
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        ShownBoxTexts shown;
        startAndRecord(&shown);
        // dated.jpg was taken on the day but after midnight; its modification time, 2022, would not match either.
        QCOMPARE(filesBelow(path(u"out"_s)), QStringList{DateFolderName(QDate(2021, 3, 4)) + u"/undated.jpg"_s});
        QVERIFY(shown.details.contains(u"%1：无拍摄时间，按修改时间"_s.arg(path(u"src/undated.jpg"_s))));
    }

    void thePageAndItsChoicesAreKept() {
        chooseDateFolders(u"%Y/相册 %m"_s, Control::RbFolderCreate);
        control<QRadioButton>(Control::RbTakenTime)->click();
        QVERIFY(mainWindow().close());
        const SettingsValues stored = LoadSettings(QString(), configFolder() + u"/Varnoth.ini"_s);
        QCOMPARE(stored.criterionPage, int(DateFoldersPage));
        QCOMPARE(stored.datePattern, u"%Y/相册 %m"_s);
        QCOMPARE(stored.dateSource, 2);
        QCOMPARE(stored.takenTime, 1);
        QCOMPARE(stored.dateKind, 1);
    }
};

QTEST_MAIN(TestDateFoldersWindow)
#include "test_date_folders_window.moc"

#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "settings/SettingsValues.h"
#include "testsupport/SettingsValuesText.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowTest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>

using namespace Qt::StringLiterals;

// The main window's choices across a close and a new start, through the real settings file.
class TestWindowSettings : public WindowTest {
    Q_OBJECT
public:
    TestWindowSettings() : WindowTest(Start::ByTheTest) {}

private:
    static QString settingsFile() { return configFolder() + u"/Varnoth.ini"_s; }
    bool checked(const QString& name) { return control<QAbstractButton>(name)->isChecked(); }
    void closeAndStartAgain() {
        QVERIFY(mainWindow().close());
        startWindows();
    }

private slots:

    void theFirstStart() {
        startWindows();
        QCOMPARE(control<QTabWidget>(Control::PageControl1)->currentIndex(), KeywordPage);
        QVERIFY(checked(Control::RbSkip));
        QCOMPARE(control<QLineEdit>(Control::EdtOutDir)->text(), homeFolder() + u"/Varnoth/"_s);
        QVERIFY(checked(Control::RbPicW));
        QVERIFY(checked(Control::RbCreateTime));
        QVERIFY(checked(Control::RbCopy));
        QVERIFY(!checked(Control::ChkSkipIdentical)); // off, so that the policies do as they say
        for (const QString& name : {Control::CmbPic, Control::CmbCondition, Control::CmbUnit, Control::CmbFileDate}) {
            QCOMPARE(control<QComboBox>(name)->currentIndex(), 0);
        }
        QCOMPARE(control<QListWidget>(Control::ListBox2)->count(), 0);
        QCOMPARE(control<QDateEdit>(Control::DtDate)->date(), QDate(2013, 5, 6));
        QVERIFY(!QFileInfo::exists(settingsFile())); // nothing is written before the window closes
    }

    // The default output folder is not made at start but by the first run that places a file there.
    void theDefaultOutputFolderIsMadeByTheRun() {
        startWindows();
        QVERIFY(!QFileInfo::exists(homeFolder()));
        mainWindow().fileList().AppendUnique({WriteTestFile(path(u"src/游记.txt"_s))});
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        control<QLineEdit>(Control::EdtKeys)->setText(u"游记"_s);
        ShownMessage done;
        answerNextMessage(&done);
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
        QCOMPARE(EntriesOf(homeFolder() + u"/Varnoth/游记"_s), QStringList{u"游记.txt"_s});
    }

    void everyChoiceSurvivesARestart() {
        startWindows();
        QDir().mkpath(path(u"out"_s));
        control<QLineEdit>(Control::EdtFilter)->setText(u"_*-"_s);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s) + u'/');
        control<QAbstractButton>(Control::RbRename)->setChecked(true);
        control<QAbstractButton>(Control::ChkSkipIdentical)->setChecked(true);
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(DatePage);
        control<QListWidget>(Control::ListBox2)->addItems({u"*.txt"_s, u"*.DOC"_s});
        control<QAbstractButton>(Control::RbPicH)->setChecked(true);
        control<QComboBox>(Control::CmbPic)->setCurrentIndex(2);
        control<QLineEdit>(Control::EdtPic)->setText(u" 800"_s);
        control<QComboBox>(Control::CmbCondition)->setCurrentIndex(1);
        control<QComboBox>(Control::CmbUnit)->setCurrentIndex(1);
        control<QLineEdit>(Control::EdtSize)->setText(u"007"_s);
        control<QLineEdit>(Control::EdtKeys)->setText(u"  游记 a  "_s);
        control<QDateEdit>(Control::DtDate)->setDate(QDate(1999, 12, 31));
        control<QTimeEdit>(Control::DtTime)->setTime(QTime(23, 59, 58));
        control<QAbstractButton>(Control::RbModifyTime)->setChecked(true);
        control<QComboBox>(Control::CmbFileDate)->setCurrentIndex(1);
        // Choices that are not kept.
        control<QAbstractButton>(Control::RbMove)->setChecked(true);
        control<QAbstractButton>(Control::ChkInclude)->setChecked(true);

        closeAndStartAgain();

        QCOMPARE(control<QLineEdit>(Control::EdtFilter)->text(), u"_*-"_s);
        QCOMPARE(control<QLineEdit>(Control::EdtOutDir)->text(), path(u"out"_s) + u'/');
        QVERIFY(checked(Control::RbRename));
        QVERIFY(checked(Control::ChkSkipIdentical));
        QCOMPARE(control<QTabWidget>(Control::PageControl1)->currentIndex(), DatePage);
        QCOMPARE(control<QListWidget>(Control::ListBox2)->count(), 2);
        QCOMPARE(control<QListWidget>(Control::ListBox2)->item(1)->text(), u"*.DOC"_s);
        QVERIFY(checked(Control::RbPicH));
        QCOMPARE(control<QComboBox>(Control::CmbPic)->currentIndex(), 2);
        QCOMPARE(control<QLineEdit>(Control::EdtPic)->text(), u"800"_s); // values are read trimmed
        QCOMPARE(control<QComboBox>(Control::CmbCondition)->currentIndex(), 1);
        QCOMPARE(control<QComboBox>(Control::CmbUnit)->currentIndex(), 1);
        QCOMPARE(control<QLineEdit>(Control::EdtSize)->text(), u"007"_s);
        QCOMPARE(control<QLineEdit>(Control::EdtKeys)->text(), u"游记 a"_s);
        QCOMPARE(control<QDateEdit>(Control::DtDate)->date(), QDate(1999, 12, 31));
        QCOMPARE(control<QTimeEdit>(Control::DtTime)->time(), QTime(23, 59, 58));
        QVERIFY(checked(Control::RbModifyTime));
        QCOMPARE(control<QComboBox>(Control::CmbFileDate)->currentIndex(), 1);
        QVERIFY(checked(Control::RbCopy));
        QVERIFY(!checked(Control::ChkInclude));

        const QByteArray saved = ReadTestFile(settingsFile());
        QVERIFY(saved.startsWith("[Parameter]"));
        QVERIFY(saved.contains("\nSameFile=3"));
        QVERIFY(saved.contains("\nSuffixFilter=*.txt|*.DOC|"));
    }

    // The date page's time and the folders-by-date page's pattern and time, chosen and kept.
    void theDateChoicesSurviveARestart_data() {
        QTest::addColumn<QString>("time");      // the date page's button
        QTest::addColumn<int>("patternItem");   // the item chosen, or -1 to type the pattern
        QTest::addColumn<QString>("typed");     // the pattern typed, or the item's text
        QTest::addColumn<QString>("source");    // the folders-by-date page's button
        QTest::addColumn<QByteArray>("stored"); // the lines of the settings file
        QTest::newRow("taken, an item of the list, modified")
            << Control::RbTakenTime << 2 << u"年/月/日"_s << Control::RbFolderModify
            << QByteArray("FileAttr=1\nTakenTime=1\nDatePattern=%Y/%m/%d\nDateSource=1");
        QTest::newRow("created, a typed pattern, created")
            << Control::RbCreateTime << -1 << u"%Y/相册 %m"_s << Control::RbFolderCreate
            << QByteArray("FileAttr=0\nTakenTime=0\nDatePattern=%Y/相册 %m\nDateSource=2");
        QTest::newRow("modified, the first item, taken")
            << Control::RbModifyTime << 0 << u"年/月"_s << Control::RbFolderTaken
            << QByteArray("FileAttr=1\nTakenTime=0\nDatePattern=%Y/%m\nDateSource=0");
    }
    void theDateChoicesSurviveARestart() {
        QFETCH(QString, time);
        QFETCH(int, patternItem);
        QFETCH(QString, typed);
        QFETCH(QString, source);
        QFETCH(QByteArray, stored);
        startWindows();
        control<QAbstractButton>(time)->setChecked(true);
        auto* pattern = control<QComboBox>(Control::CmbDatePattern);
        patternItem >= 0 ? pattern->setCurrentIndex(patternItem) : pattern->setEditText(typed);
        control<QAbstractButton>(source)->setChecked(true);

        closeAndStartAgain();

        const QByteArray saved = ReadTestFile(settingsFile());
        for (const QByteArray& line : stored.split('\n')) {
            QVERIFY2(saved.contains('\n' + line + '\n'), line.constData());
        }
        QVERIFY(checked(time));
        QVERIFY(checked(source));
        pattern = control<QComboBox>(Control::CmbDatePattern);
        QCOMPARE(pattern->currentText(), typed);
        if (patternItem >= 0) {
            QCOMPARE(pattern->currentIndex(), patternItem);
        }
    }

    // A settings file from before the folders-by-date page, or with values out of range, gives the defaults.
    void dateChoicesFromAnOlderOrStrangeFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("source");
        QTest::newRow("older file") << QByteArray("[Parameter]\nFileAttr=1\n") << Control::RbModifyTime
                                    << Control::RbFolderTaken;
        QTest::newRow("taken wins over FileAttr")
            << QByteArray("[Parameter]\nFileAttr=0\nTakenTime=1\n") << Control::RbTakenTime << Control::RbFolderTaken;
        QTest::newRow("an unknown source") << QByteArray("[Parameter]\nDateSource=9\nDatePattern=\n")
                                           << Control::RbCreateTime << Control::RbFolderTaken;
    }
    void dateChoicesFromAnOlderOrStrangeFile() {
        QFETCH(QByteArray, content);
        QFETCH(QString, time);
        QFETCH(QString, source);
        WriteTestFile(settingsFile(), content);
        startWindows();
        QVERIFY(checked(time));
        QVERIFY(checked(source));
        const QString expectedPattern = content.contains("DatePattern=\n") ? QString() : u"年/月"_s;
        QCOMPARE(control<QComboBox>(Control::CmbDatePattern)->currentText(), expectedPattern);
    }

    void theSameNameChoices_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("overwrite") << Control::RbOverwrite;
        QTest::newRow("ask") << Control::RbAsk;
        QTest::newRow("skip") << Control::RbSkip;
        QTest::newRow("auto-number") << Control::RbRename;
    }
    void theSameNameChoices() {
        QFETCH(QString, button);
        startWindows();
        control<QAbstractButton>(button)->setChecked(true);
        closeAndStartAgain();
        QVERIFY(checked(button));
    }

    // Each saved choice changes its control in turn, so that what a control's change sets off sees the choices
    // before it; and the window gives back what it was given.
    void choicesApplyInTheirOrder() {
        startWindows();
        SettingsValues values;
        values.nameFilterPieces = u"_"_s;
        values.outputFolder = path(u"out/"_s);
        values.sameNamePolicy = 3;
        values.criterionPage = DatePage;
        values.typeList = {u"*.txt"_s};
        values.pictureDimension = 1;
        values.dateKind = 1;
        values.pictureCondition = 2;
        values.pictureLimit = u"800"_s;
        values.sizeCondition = 1;
        values.sizeUnit = 1;
        values.sizeThreshold = u"7"_s;
        values.dateMomentDay = QDate(1999, 12, 31);
        values.dateMomentTime = QTime(23, 59, 58);
        values.dateCondition = 1;
        values.keywords = u"游记"_s;

        QStringList changed;
        QObject recording;
        const auto record = [&](const char* key, auto* control, auto signal) {
            connect(control, signal, &recording, [&changed, key] {
                if (changed.isEmpty() || changed.last() != QLatin1StringView(key)) {
                    changed.append(QLatin1StringView(key));
                }
            });
        };
        record("Filter", control<QLineEdit>(Control::EdtFilter), &QLineEdit::textChanged);
        record("OutDir", control<QLineEdit>(Control::EdtOutDir), &QLineEdit::textChanged);
        for (const QString& button : {Control::RbOverwrite, Control::RbAsk, Control::RbSkip, Control::RbRename}) {
            record("SameFile", control<QAbstractButton>(button), &QAbstractButton::toggled);
        }
        record("Page", control<QTabWidget>(Control::PageControl1), &QTabWidget::currentChanged);
        record("SuffixFilter", control<QListWidget>(Control::ListBox2)->model(), &QAbstractItemModel::rowsInserted);
        record("PicSize", control<QAbstractButton>(Control::RbPicH), &QAbstractButton::toggled);
        record("FileAttr", control<QAbstractButton>(Control::RbModifyTime), &QAbstractButton::toggled);
        record("CmbPic", control<QComboBox>(Control::CmbPic), &QComboBox::currentIndexChanged);
        record("PicSizeValue", control<QLineEdit>(Control::EdtPic), &QLineEdit::textChanged);
        record("CmbCondition", control<QComboBox>(Control::CmbCondition), &QComboBox::currentIndexChanged);
        record("CmbUnit", control<QComboBox>(Control::CmbUnit), &QComboBox::currentIndexChanged);
        record("FileSize", control<QLineEdit>(Control::EdtSize), &QLineEdit::textChanged);
        record("DTDate", control<QDateEdit>(Control::DtDate), &QDateEdit::dateChanged);
        record("DTTime", control<QTimeEdit>(Control::DtTime), &QTimeEdit::timeChanged);
        record("CmbFileDate", control<QComboBox>(Control::CmbFileDate), &QComboBox::currentIndexChanged);
        record("EdtKeys", control<QLineEdit>(Control::EdtKeys), &QLineEdit::textChanged);

        mainWindow().applySettings(values);

        QCOMPARE(changed,
                 (QStringList{u"Filter"_s, u"OutDir"_s, u"SameFile"_s, u"Page"_s, u"SuffixFilter"_s, u"PicSize"_s,
                              u"FileAttr"_s, u"CmbPic"_s, u"PicSizeValue"_s, u"CmbCondition"_s, u"CmbUnit"_s,
                              u"FileSize"_s, u"DTDate"_s, u"DTTime"_s, u"CmbFileDate"_s, u"EdtKeys"_s}));
        QCOMPARE(control<QLabel>(Control::lblOption)->text(), u"分拣方式： 按文件日期属性分拣"_s);
        QCOMPARE(mainWindow().currentSettings(), values);
    }

    // A saved output folder that is empty or no longer there gives way to the default, which need not exist.
    void aMissingOutputFolderAndABadPage_data() {
        QTest::addColumn<QByteArray>("outDir");
        QTest::newRow("deleted folder") << QByteArray("gone/");
        QTest::newRow("empty value") << QByteArray();
    }
    void aMissingOutputFolderAndABadPage() {
        QFETCH(QByteArray, outDir);
        const QByteArray saved = outDir.isEmpty() ? outDir : QFile::encodeName(path(QString::fromUtf8(outDir)));
        WriteTestFile(settingsFile(), "[Parameter]\nOutDir=" + saved + "\nPage=7\n");
        startWindows();
        QCOMPARE(control<QLineEdit>(Control::EdtOutDir)->text(), homeFolder() + u"/Varnoth/"_s);
        QCOMPARE(control<QTabWidget>(Control::PageControl1)->currentIndex(), NamePage); // the designed page
        QCOMPARE(control<QLabel>(Control::lblOption)->text(), u"分拣方式： 按文件名分拣"_s);
    }

    void anUnwritableLocationIsReportedAndTheWindowStillCloses() {
        WriteTestFile(path(u"blocker"_s), "a file where the folder should be");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(u"blocker/config"_s)));
        startWindows();
        ShownMessage warning;
        answerNextMessage(&warning);
        QVERIFY(mainWindow().close());
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QCOMPARE(warning.title, u"Varnoth"_s);
        QVERIFY(warning.text.contains(path(u"blocker/config/Varnoth.ini"_s)));
        QVERIFY(!mainWindow().isVisible());
    }
};

QTEST_MAIN(TestWindowSettings)
#include "test_window_settings.moc"

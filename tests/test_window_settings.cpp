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
        QVERIFY(form().close());
        startWindows();
    }

private slots:

    void theFirstStart() {
        startWindows();
        QCOMPARE(control<QTabWidget>(u"PageControl1"_s)->currentIndex(), KeywordPage);
        QVERIFY(checked(u"RbSkip"_s));
        QCOMPARE(control<QLineEdit>(u"EdtOutDir"_s)->text(), homeFolder() + u"/Varnoth/"_s);
        QVERIFY(checked(u"RbPicW"_s));
        QVERIFY(checked(u"RbCreateTime"_s));
        QVERIFY(checked(u"RbCopy"_s));
        for (const QString& name : {u"CmbPic"_s, u"CmbCondition"_s, u"CmbUnit"_s, u"CmbFileDate"_s}) {
            QCOMPARE(control<QComboBox>(name)->currentIndex(), 0);
        }
        QCOMPARE(control<QListWidget>(u"ListBox2"_s)->count(), 0);
        QCOMPARE(control<QDateEdit>(u"DtDate"_s)->date(), QDate(2013, 5, 6));
        QVERIFY(!QFileInfo::exists(settingsFile())); // nothing is written before the window closes
    }

    // The default output folder is not made at start but by the first run that places a file there.
    void theDefaultOutputFolderIsMadeByTheRun() {
        startWindows();
        QVERIFY(!QFileInfo::exists(homeFolder()));
        form().fileList().AppendUnique({WriteTestFile(path(u"src/游记.txt"_s))});
        control<QTabWidget>(u"PageControl1"_s)->setCurrentIndex(KeywordPage);
        control<QLineEdit>(u"EdtKeys"_s)->setText(u"游记"_s);
        ShownMessage done;
        answerNextMessage(&done);
        QTest::mouseClick(control(u"BtnCopy"_s), Qt::LeftButton);
        QCOMPARE(EntriesOf(homeFolder() + u"/Varnoth/游记"_s), QStringList{u"游记.txt"_s});
    }

    void everyChoiceSurvivesARestart() {
        startWindows();
        QDir().mkpath(path(u"out"_s));
        control<QLineEdit>(u"EdtFilter"_s)->setText(u"_*-"_s);
        control<QLineEdit>(u"EdtOutDir"_s)->setText(path(u"out"_s) + u'/');
        control<QAbstractButton>(u"RbRename"_s)->setChecked(true);
        control<QTabWidget>(u"PageControl1"_s)->setCurrentIndex(DatePage);
        control<QListWidget>(u"ListBox2"_s)->addItems({u"*.txt"_s, u"*.DOC"_s});
        control<QAbstractButton>(u"RbPicH"_s)->setChecked(true);
        control<QComboBox>(u"CmbPic"_s)->setCurrentIndex(2);
        control<QLineEdit>(u"EdtPic"_s)->setText(u" 800"_s);
        control<QComboBox>(u"CmbCondition"_s)->setCurrentIndex(1);
        control<QComboBox>(u"CmbUnit"_s)->setCurrentIndex(1);
        control<QLineEdit>(u"EdtSize"_s)->setText(u"007"_s);
        control<QLineEdit>(u"EdtKeys"_s)->setText(u"  游记 a  "_s);
        control<QDateEdit>(u"DtDate"_s)->setDate(QDate(1999, 12, 31));
        control<QTimeEdit>(u"DtTime"_s)->setTime(QTime(23, 59, 58));
        control<QAbstractButton>(u"RbModifyTime"_s)->setChecked(true);
        control<QComboBox>(u"CmbFileDate"_s)->setCurrentIndex(1);
        // Choices that are not kept.
        control<QAbstractButton>(u"RbMove"_s)->setChecked(true);
        control<QAbstractButton>(u"ChkInclude"_s)->setChecked(true);

        closeAndStartAgain();

        QCOMPARE(control<QLineEdit>(u"EdtFilter"_s)->text(), u"_*-"_s);
        QCOMPARE(control<QLineEdit>(u"EdtOutDir"_s)->text(), path(u"out"_s) + u'/');
        QVERIFY(checked(u"RbRename"_s));
        QCOMPARE(control<QTabWidget>(u"PageControl1"_s)->currentIndex(), DatePage);
        QCOMPARE(control<QListWidget>(u"ListBox2"_s)->count(), 2);
        QCOMPARE(control<QListWidget>(u"ListBox2"_s)->item(1)->text(), u"*.DOC"_s);
        QVERIFY(checked(u"RbPicH"_s));
        QCOMPARE(control<QComboBox>(u"CmbPic"_s)->currentIndex(), 2);
        QCOMPARE(control<QLineEdit>(u"EdtPic"_s)->text(), u"800"_s); // values are read trimmed
        QCOMPARE(control<QComboBox>(u"CmbCondition"_s)->currentIndex(), 1);
        QCOMPARE(control<QComboBox>(u"CmbUnit"_s)->currentIndex(), 1);
        QCOMPARE(control<QLineEdit>(u"EdtSize"_s)->text(), u"007"_s);
        QCOMPARE(control<QLineEdit>(u"EdtKeys"_s)->text(), u"游记 a"_s);
        QCOMPARE(control<QDateEdit>(u"DtDate"_s)->date(), QDate(1999, 12, 31));
        QCOMPARE(control<QTimeEdit>(u"DtTime"_s)->time(), QTime(23, 59, 58));
        QVERIFY(checked(u"RbModifyTime"_s));
        QCOMPARE(control<QComboBox>(u"CmbFileDate"_s)->currentIndex(), 1);
        QVERIFY(checked(u"RbCopy"_s));
        QVERIFY(!checked(u"ChkInclude"_s));

        const QByteArray saved = ReadTestFile(settingsFile());
        QVERIFY(saved.startsWith("[Parameter]"));
        QVERIFY(saved.contains("\nSameFile=3"));
        QVERIFY(saved.contains("\nSuffixFilter=*.txt|*.DOC|"));
    }

    void theSameNameChoices_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("overwrite") << u"RbOverwrite"_s;
        QTest::newRow("ask") << u"RbAsk"_s;
        QTest::newRow("skip") << u"RbSkip"_s;
        QTest::newRow("auto-number") << u"RbRename"_s;
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
        record("Filter", control<QLineEdit>(u"EdtFilter"_s), &QLineEdit::textChanged);
        record("OutDir", control<QLineEdit>(u"EdtOutDir"_s), &QLineEdit::textChanged);
        for (const QString& button : {u"RbOverwrite"_s, u"RbAsk"_s, u"RbSkip"_s, u"RbRename"_s}) {
            record("SameFile", control<QAbstractButton>(button), &QAbstractButton::toggled);
        }
        record("Page", control<QTabWidget>(u"PageControl1"_s), &QTabWidget::currentChanged);
        record("SuffixFilter", control<QListWidget>(u"ListBox2"_s)->model(), &QAbstractItemModel::rowsInserted);
        record("PicSize", control<QAbstractButton>(u"RbPicH"_s), &QAbstractButton::toggled);
        record("FileAttr", control<QAbstractButton>(u"RbModifyTime"_s), &QAbstractButton::toggled);
        record("CmbPic", control<QComboBox>(u"CmbPic"_s), &QComboBox::currentIndexChanged);
        record("PicSizeValue", control<QLineEdit>(u"EdtPic"_s), &QLineEdit::textChanged);
        record("CmbCondition", control<QComboBox>(u"CmbCondition"_s), &QComboBox::currentIndexChanged);
        record("CmbUnit", control<QComboBox>(u"CmbUnit"_s), &QComboBox::currentIndexChanged);
        record("FileSize", control<QLineEdit>(u"EdtSize"_s), &QLineEdit::textChanged);
        record("DTDate", control<QDateEdit>(u"DtDate"_s), &QDateEdit::dateChanged);
        record("DTTime", control<QTimeEdit>(u"DtTime"_s), &QTimeEdit::timeChanged);
        record("CmbFileDate", control<QComboBox>(u"CmbFileDate"_s), &QComboBox::currentIndexChanged);
        record("EdtKeys", control<QLineEdit>(u"EdtKeys"_s), &QLineEdit::textChanged);

        form().applySettings(values);

        QCOMPARE(changed,
                 (QStringList{u"Filter"_s, u"OutDir"_s, u"SameFile"_s, u"Page"_s, u"SuffixFilter"_s, u"PicSize"_s,
                              u"FileAttr"_s, u"CmbPic"_s, u"PicSizeValue"_s, u"CmbCondition"_s, u"CmbUnit"_s,
                              u"FileSize"_s, u"DTDate"_s, u"DTTime"_s, u"CmbFileDate"_s, u"EdtKeys"_s}));
        QCOMPARE(control<QLabel>(u"lblOption"_s)->text(), u"分拣方式： 按文件日期属性分拣"_s);
        QCOMPARE(form().currentSettings(), values);
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
        WriteTestFile(settingsFile(), "[Parameter]\nOutDir=" + saved + "\nPage=6\n");
        startWindows();
        QCOMPARE(control<QLineEdit>(u"EdtOutDir"_s)->text(), homeFolder() + u"/Varnoth/"_s);
        QCOMPARE(control<QTabWidget>(u"PageControl1"_s)->currentIndex(), NamePage); // the designed page
        QCOMPARE(control<QLabel>(u"lblOption"_s)->text(), u"分拣方式： 按文件名分拣"_s);
    }

    void anUnwritableLocationIsReportedAndTheWindowStillCloses() {
        WriteTestFile(path(u"blocker"_s), "a file where the folder should be");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(u"blocker/config"_s)));
        startWindows();
        ShownMessage warning;
        answerNextMessage(&warning);
        QVERIFY(form().close());
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QCOMPARE(warning.title, u"Varnoth"_s);
        QVERIFY(warning.text.contains(path(u"blocker/config/Varnoth.ini"_s)));
        QVERIFY(!form().isVisible());
    }
};

QTEST_MAIN(TestWindowSettings)
#include "test_window_settings.moc"

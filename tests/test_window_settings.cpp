#include "Controls.h"
#include "ModalDialogs.h"
#include "TestFiles.h"
#include "ui/MainWindows.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>

#include <memory>

using namespace Qt::StringLiterals;

// The main window's choices across a close and a new start, through the real settings file.
class TestWindowSettings : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* m_dir = nullptr;
    std::unique_ptr<MainWindows> m_windows;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    QString settingsFile() const { return path(u"config/Varnoth.ini"_s); }
    template <typename T = QWidget> T* control(const QString& name) { return FindControl<T>(m_windows->form1, name); }
    bool checked(const QString& name) { return control<QAbstractButton>(name)->isChecked(); }
    void start() {
        m_windows = std::make_unique<MainWindows>();
        m_windows->form1.show();
    }
    void closeAndStartAgain() {
        QVERIFY(m_windows->form1.close());
        start();
    }

private slots:
    void init() {
        m_dir = new QTemporaryDir;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(u"config"_s)));
    }
    void cleanup() {
        m_windows.reset();
        delete m_dir;
    }

    void theFirstStart() {
        start();
        QCOMPARE(control<QTabWidget>(u"PageControl1"_s)->currentIndex(), 0);
        QVERIFY(checked(u"RbSkip"_s));
        QCOMPARE(control<QLineEdit>(u"EdtOutDir"_s)->text(), QCoreApplication::applicationDirPath() + u'/');
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

    void everyChoiceSurvivesARestart() {
        start();
        QDir().mkpath(path(u"out"_s));
        control<QLineEdit>(u"EdtFilter"_s)->setText(u"_*-"_s);
        control<QLineEdit>(u"EdtOutDir"_s)->setText(path(u"out"_s) + u'/');
        control<QAbstractButton>(u"RbRename"_s)->setChecked(true);
        control<QTabWidget>(u"PageControl1"_s)->setCurrentIndex(4);
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
        QCOMPARE(control<QTabWidget>(u"PageControl1"_s)->currentIndex(), 4);
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
    }
    void theSameNameChoices() {
        QFETCH(QString, button);
        start();
        control<QAbstractButton>(button)->setChecked(true);
        closeAndStartAgain();
        QVERIFY(checked(button));
    }

    void aDeletedOutputFolderAndABadPage() {
        WriteTestFile(settingsFile(), "[Parameter]\nOutDir=" + QFile::encodeName(path(u"gone/"_s)) + "\nPage=6\n");
        start();
        QCOMPARE(control<QLineEdit>(u"EdtOutDir"_s)->text(), QString());
        QCOMPARE(control<QTabWidget>(u"PageControl1"_s)->currentIndex(), 1); // the designed page
    }

    void anUnwritableLocationIsReportedAndTheWindowStillCloses() {
        WriteTestFile(path(u"blocker"_s), "a file where the folder should be");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(u"blocker/config"_s)));
        start();
        ShownMessage warning;
        AnswerNextMessage(&warning);
        QVERIFY(m_windows->form1.close());
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QCOMPARE(warning.title, u"Varnoth"_s);
        QVERIFY(warning.text.contains(path(u"blocker/config/Varnoth.ini"_s)));
        QVERIFY(!m_windows->form1.isVisible());
    }
};

QTEST_MAIN(TestWindowSettings)
#include "test_window_settings.moc"

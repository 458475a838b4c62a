#include "testsupport/Controls.h"
#include "testsupport/FileSystemFixtures.h"
#include "ui/FolderPickerDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

template <typename Control> Control* control(const FolderPickerDialog& dialog, const QString& name) {
    return FindControl<Control>(dialog, name);
}

QTreeView* treeOf(const FolderPickerDialog& dialog) {
    return control<QTreeView>(dialog, Control::ShellTreeView1);
}

QFileSystemModel* foldersOf(const FolderPickerDialog& dialog) {
    return qobject_cast<QFileSystemModel*>(treeOf(dialog)->model());
}

// The names of the folders the tree shows inside folder, sorted; the tree lists them in the background.
QStringList shownFoldersIn(const FolderPickerDialog& dialog, const QString& folder) {
    QFileSystemModel* folders = foldersOf(dialog);
    const QModelIndex parent = folders->index(folder);
    if (folders->canFetchMore(parent)) {
        folders->fetchMore(parent);
    }
    QStringList names;
    for (int row = 0; row < folders->rowCount(parent); ++row) {
        names.append(folders->fileName(folders->index(row, 0, parent)));
    }
    std::sort(names.begin(), names.end());
    return names;
}

void selectInTree(const FolderPickerDialog& dialog, const QString& folder) {
    treeOf(dialog)->setCurrentIndex(foldersOf(dialog)->index(folder));
}

// Shows the dialog modally, runs act once it is up, and returns how it was closed (-1 when act never ran).
int execWhile(FolderPickerDialog& dialog, const std::function<void()>& act) {
    bool acted = false;
    QTimer::singleShot(0, &dialog, [&] {
        acted = true;
        act();
    });
    // A dialog a failing check left open must not hang the test.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &dialog, &QDialog::reject);
    guard.start(20000);
    const int result = dialog.exec();
    return acted ? result : -1;
}

} // namespace

class TestFolderPicker : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void controlsStartAsDesigned();
    void scanBoxesExcludeEachOther_data();
    void scanBoxesExcludeEachOther();
    void levelBoxTakesDigitsOnly_data();
    void levelBoxTakesDigitsOnly();
    void levelBoxKeepsEditingKeysAndPasting();
    void hiddenFoldersShowWhenUnchecked();
    void closingGivesTheResult_data();
    void closingGivesTheResult();
    void choicesLastFromOneShowingToTheNext();
    void showingReadsTheTreeAgain();
    void nothingSelectedGivesNoFolder();
    void opensAtTheFolderChosenLast();
    void thePathFieldAndTheShortcutsGoToAFolder();

private:
    QTemporaryDir m_temporary;
    QString m_dir;
    QByteArray m_dirBytes;
};

void TestFolderPicker::initTestCase() {
    QVERIFY(m_temporary.isValid());
    m_dir = m_temporary.path() + u"/picker"_s;
    m_dirBytes = QFile::encodeName(m_dir);
    MakeFolder(m_dirBytes);
    MakeFolder(m_dirBytes + "/shown");
    MakeFolder(m_dirBytes + "/.secret");
    MakeFolder(m_dirBytes + "/照片");
    // The tree leaves out a folder whose name is not valid UTF-8: it could not be chosen by its bytes.
    MakeFolder(m_dirBytes + "/bad\xff");
    MakeFile(m_dirBytes + "/file.txt");
}

void TestFolderPicker::cleanupTestCase() {
    RemoveTree(m_dirBytes);
}

void TestFolderPicker::cleanup() {
    QVERIFY(!QApplication::activeModalWidget());
}

void TestFolderPicker::controlsStartAsDesigned() {
    FolderPickerDialog dialog;
    QCOMPARE(dialog.objectName(), Control::TForm3);
    QCOMPARE(dialog.windowTitle(), u"选择要添加的目录（文件夹）"_s);
    QCOMPARE(dialog.size(), QSize(409, 416));
    QCOMPARE(control<QCheckBox>(dialog, Control::ChkOtHidden)->text(), u"不显示隐藏的文件夹"_s);
    QVERIFY(control<QCheckBox>(dialog, Control::ChkOtHidden)->isChecked());
    QCOMPARE(control<QCheckBox>(dialog, Control::CheckBox1)->text(), u"添加包括选定文件夹下的所有子文件夹中的文件"_s);
    QVERIFY(!control<QCheckBox>(dialog, Control::CheckBox1)->isChecked());
    QCOMPARE(control<QCheckBox>(dialog, Control::CheckBox2)->text(), u"添加包括选定文件夹下"_s);
    QVERIFY(!control<QCheckBox>(dialog, Control::CheckBox2)->isChecked());
    QCOMPARE(control<QLabel>(dialog, Control::Label1)->text(), u"级子目录中所有文件"_s);
    auto* level = control<QComboBox>(dialog, Control::ComboBox1);
    QVERIFY(level->isEditable());
    QVERIFY(!level->isEnabled());
    QCOMPARE(level->currentText(), u"1"_s);
    QCOMPARE(level->count(), 3);
    QCOMPARE((QStringList{level->itemText(0), level->itemText(1), level->itemText(2)}),
             (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    QCOMPARE(control<QPushButton>(dialog, Control::BitBtn1)->text(), u"确定"_s);
    QVERIFY(control<QPushButton>(dialog, Control::BitBtn1)->isDefault());
    QCOMPARE(control<QPushButton>(dialog, Control::BitBtn2)->text(), u"取消"_s);
    QFileSystemModel* folders = foldersOf(dialog);
    QVERIFY(folders);
    QCOMPARE(folders->rootPath(), u"/"_s);
    QVERIFY(!folders->filter().testFlag(QDir::Files));
    QVERIFY(!folders->filter().testFlag(QDir::Hidden));
    QCOMPARE(dialog.levelText(), u"1"_s);
    QVERIFY(!dialog.wholeTreeChecked());
    QVERIFY(!dialog.depthLimitedChecked());
}

void TestFolderPicker::scanBoxesExcludeEachOther_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("wholeTree");
    QTest::addColumn<bool>("depthLimited");
    QTest::addColumn<bool>("levelEnabled");

    QTest::newRow("checking the depth box enables the level box")
        << QStringList{Control::CheckBox2} << false << true << true;
    QTest::newRow("checking the whole-tree box while the depth box is checked unchecks it and disables the level box")
        << QStringList{Control::CheckBox2, Control::CheckBox1} << true << false << false;
    QTest::newRow("checking the depth box unchecks the whole-tree box")
        << QStringList{Control::CheckBox1, Control::CheckBox2} << false << true << true;
    QTest::newRow("unchecking the depth box disables the level box again")
        << QStringList{Control::CheckBox2, Control::CheckBox2} << false << false << false;
    QTest::newRow("the whole-tree box alone") << QStringList{Control::CheckBox1} << true << false << false;
    QTest::newRow("unchecking the whole-tree box leaves both unchecked")
        << QStringList{Control::CheckBox1, Control::CheckBox1} << false << false << false;
}

void TestFolderPicker::scanBoxesExcludeEachOther() {
    QFETCH(QStringList, clicks);
    QFETCH(bool, wholeTree);
    QFETCH(bool, depthLimited);
    QFETCH(bool, levelEnabled);
    FolderPickerDialog dialog;
    for (const QString& box : clicks) {
        control<QCheckBox>(dialog, box)->click();
    }
    QCOMPARE(dialog.wholeTreeChecked(), wholeTree);
    QCOMPARE(dialog.depthLimitedChecked(), depthLimited);
    QCOMPARE(control<QComboBox>(dialog, Control::ComboBox1)->isEnabled(), levelEnabled);
}

void TestFolderPicker::levelBoxTakesDigitsOnly_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");

    QTest::newRow("a letter changes nothing") << u"a"_s << u"1"_s;
    QTest::newRow("a digit is added") << u"2"_s << u"12"_s;
    QTest::newRow("letters, signs and blanks between digits are swallowed") << u"x9- .3"_s << u"193"_s;
    QTest::newRow("full-width digits are swallowed") << u"１"_s << u"1"_s;
}

void TestFolderPicker::levelBoxTakesDigitsOnly() {
    QFETCH(QString, typed);
    QFETCH(QString, text);
    FolderPickerDialog dialog;
    control<QCheckBox>(dialog, Control::CheckBox2)->click();
    auto* level = control<QComboBox>(dialog, Control::ComboBox1);
    for (const QChar c : typed) {
        // keyClicks knows only ASCII keys; other characters come as text on an unknown key, as an IME-less
        // keyboard layout would send them.
        if (c.unicode() < 0x80) {
            QTest::keyClick(level, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, level, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    QCOMPARE(level->currentText(), text);
    QCOMPARE(dialog.levelText(), text);
}

void TestFolderPicker::levelBoxKeepsEditingKeysAndPasting() {
    FolderPickerDialog dialog;
    control<QCheckBox>(dialog, Control::CheckBox2)->click();
    auto* level = control<QComboBox>(dialog, Control::ComboBox1);
    QTest::keyClick(level, Qt::Key_Backspace);
    QCOMPARE(level->currentText(), QString());
    QTest::keyClicks(level, u"12"_s);
    QCOMPARE(dialog.levelText(), u"12"_s);
    QTest::keyClick(level, Qt::Key_Home);
    QTest::keyClick(level, Qt::Key_Delete);
    QCOMPARE(dialog.levelText(), u"2"_s);
    QApplication::clipboard()->setText(u"a5"_s);
    QTest::keyClick(level, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(dialog.levelText(), u"a52"_s);
}

void TestFolderPicker::hiddenFoldersShowWhenUnchecked() {
    FolderPickerDialog dialog;
    auto* hideHidden = control<QCheckBox>(dialog, Control::ChkOtHidden);
    QTRY_COMPARE(shownFoldersIn(dialog, m_dir), (QStringList{u"shown"_s, u"照片"_s}));
    hideHidden->click();
    QTRY_COMPARE(shownFoldersIn(dialog, m_dir), (QStringList{u".secret"_s, u"shown"_s, u"照片"_s}));
    hideHidden->click();
    QTRY_COMPARE(shownFoldersIn(dialog, m_dir), (QStringList{u"shown"_s, u"照片"_s}));
}

void TestFolderPicker::closingGivesTheResult_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");

    QTest::newRow("the OK button") << Control::BitBtn1 << int(QDialog::Accepted);
    QTest::newRow("the Cancel button") << Control::BitBtn2 << int(QDialog::Rejected);
    QTest::newRow("Esc cancels") << u"Esc"_s << int(QDialog::Rejected);
    QTest::newRow("Enter presses the default OK button") << u"Enter"_s << int(QDialog::Accepted);
    QTest::newRow("closing the frame cancels") << u"close"_s << int(QDialog::Rejected);
}

void TestFolderPicker::closingGivesTheResult() {
    QFETCH(QString, how);
    QFETCH(int, result);
    FolderPickerDialog dialog;
    const int closedWith = execWhile(dialog, [&] {
        if (how == u"Esc") {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else if (how == u"Enter") {
            QTest::keyClick(&dialog, Qt::Key_Return);
        } else if (how == u"close") {
            dialog.close();
        } else {
            QTest::mouseClick(control<QPushButton>(dialog, how), Qt::LeftButton);
        }
    });
    QCOMPARE(closedWith, result);
}

void TestFolderPicker::choicesLastFromOneShowingToTheNext() {
    FolderPickerDialog dialog;
    const int first = execWhile(dialog, [&] {
        selectInTree(dialog, m_dir + u"/照片"_s);
        control<QCheckBox>(dialog, Control::ChkOtHidden)->click();
        control<QCheckBox>(dialog, Control::CheckBox2)->click();
        auto* level = control<QComboBox>(dialog, Control::ComboBox1);
        QTest::keyClick(level, Qt::Key_Backspace);
        QTest::keyClicks(level, u"5"_s);
        control<QPushButton>(dialog, Control::BitBtn1)->click();
    });
    QCOMPARE(first, int(QDialog::Accepted));

    FolderScanRequest shown;
    bool hiddenShown = false;
    bool levelEnabled = false;
    const int second = execWhile(dialog, [&] {
        shown = dialog.scanRequest();
        hiddenShown = foldersOf(dialog)->filter().testFlag(QDir::Hidden);
        levelEnabled = control<QComboBox>(dialog, Control::ComboBox1)->isEnabled();
        control<QPushButton>(dialog, Control::BitBtn2)->click();
    });
    QCOMPARE(second, int(QDialog::Rejected));
    QCOMPARE(shown.folder, m_dirBytes + "/照片");
    QVERIFY(!shown.wholeTree);
    QVERIFY(shown.depthLimited);
    QCOMPARE(shown.levelText, u"5"_s);
    QVERIFY(hiddenShown);
    QVERIFY(!control<QCheckBox>(dialog, Control::ChkOtHidden)->isChecked());
    QVERIFY(levelEnabled);
}

void TestFolderPicker::showingReadsTheTreeAgain() {
    FolderPickerDialog dialog;
    QTRY_COMPARE(shownFoldersIn(dialog, m_dir), (QStringList{u"shown"_s, u"照片"_s}));
    QCOMPARE(execWhile(dialog, [&] { dialog.reject(); }), int(QDialog::Rejected));
    MakeFolder(m_dirBytes + "/later");
    execWhile(dialog, [&] {
        QTRY_COMPARE(shownFoldersIn(dialog, m_dir), (QStringList{u"later"_s, u"shown"_s, u"照片"_s}));
        dialog.reject();
    });
    ::rmdir((m_dirBytes + "/later").constData());
}

void TestFolderPicker::nothingSelectedGivesNoFolder() {
    FolderPickerDialog dialog;
    selectInTree(dialog, m_dir);
    QCOMPARE(dialog.selectedFolder(), m_dirBytes);
    treeOf(dialog)->selectionModel()->clearSelection();
    QCOMPARE(dialog.selectedFolder(), QByteArray());
    QCOMPARE(dialog.scanRequest().folder, QByteArray());
}

// Whether folder is the tree's current folder, expanded with every folder above it, in view, with the focus.
bool showsFolder(const FolderPickerDialog& dialog, const QString& folder) {
    QTreeView* tree = treeOf(dialog);
    const QModelIndex index = foldersOf(dialog)->index(folder);
    for (QModelIndex shown = index; shown.isValid(); shown = shown.parent()) {
        if (!tree->isExpanded(shown)) {
            return false;
        }
    }
    return tree->currentIndex() == index && tree->viewport()->rect().contains(tree->visualRect(index)) &&
           dialog.focusWidget() == tree;
}

// The first showing opens at the home folder, each later one at the folder chosen last, though the tree is read
// anew. The folders of the home come in below a hundred others, so that the one chosen lies out of view at first.
void TestFolderPicker::opensAtTheFolderChosenLast() {
    const QByteArray home = m_dirBytes + "/home";
    MakeFolder(home);
    for (int i = 0; i < 100; ++i) {
        MakeFolder(home + "/folder" + QByteArray::number(i).rightJustified(3, '0'));
    }
    MakeFolder(home + "/zz");
    MakeFolder(home + "/zz/inner");
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home);
    FolderPickerDialog dialog;
    qputenv("HOME", oldHome);
    const QString homeText = QFile::decodeName(home);
    bool first = false;
    execWhile(dialog, [&] {
        QTRY_VERIFY(first = showsFolder(dialog, homeText));
        selectInTree(dialog, homeText + u"/zz"_s);
        dialog.accept();
    });
    bool again = false;
    execWhile(dialog, [&] {
        QTRY_VERIFY(again = showsFolder(dialog, homeText + u"/zz"_s));
        dialog.reject();
    });
    RemoveTree(home);
    QVERIFY(first);
    QVERIFY(again);
}

// The path field goes to a typed folder on Enter and stays open; a path that is no folder changes nothing. It shows
// the folder selected in the tree, and the home shortcut goes home.
void TestFolderPicker::thePathFieldAndTheShortcutsGoToAFolder() {
    const QByteArray home = m_dirBytes + "/home";
    MakeFolder(home);
    MakeFolder(home + "/a b");
    MakeFolder(home + "/a b/深处");
    MakeFile(home + "/file");
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home);
    FolderPickerDialog dialog;
    const QString homeText = QFile::decodeName(home);
    QStringList selected;
    QString shown;
    const int result = execWhile(dialog, [&] {
        auto* path = control<QLineEdit>(dialog, Control::EdtPickerPath);
        for (const QString& typed : {u"~/a b"_s, homeText + u"/a b/深处"_s, homeText + u"/file"_s, u"~/nothing"_s}) {
            path->setFocus();
            path->setText(typed);
            QTest::keyClick(path, Qt::Key_Return);
            selected.append(QString::fromUtf8(dialog.selectedFolder()));
        }
        treeOf(dialog)->setFocus();
        selectInTree(dialog, homeText + u"/a b"_s);
        shown = path->text();
        QTest::mouseClick(control<QToolButton>(dialog, Control::BtnPlaceHome), Qt::LeftButton);
        selected.append(QString::fromUtf8(dialog.selectedFolder()));
        dialog.reject();
    });
    qputenv("HOME", oldHome);
    RemoveTree(home);
    QCOMPARE(result, int(QDialog::Rejected)); // Enter in the path field never closed the picker
    QCOMPARE(selected, (QStringList{homeText + u"/a b"_s, homeText + u"/a b/深处"_s, homeText + u"/a b/深处"_s,
                                    homeText + u"/a b/深处"_s, homeText}));
    QCOMPARE(shown, homeText + u"/a b"_s);
}

QTEST_MAIN(TestFolderPicker)
#include "test_folder_picker.moc"

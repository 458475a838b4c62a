#include "cli/CommandLineMain.h"
#include "engine/criteria/PageChoiceTexts.h"
#include "filelist/FileListModel.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowTest.h"

#include <QComboBox>
#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items.append(box->itemText(i));
    }
    return items;
}
} // namespace

// Where the command line meets the window: the same folder names, and PATH arguments in the window's file list.
class TestCliWindow : public WindowTest {
    Q_OBJECT
private slots:
    // A run from the command line fills the folders a run in the window made: the texts that name them agree.
    void folderNamesAreTheWindows() {
        QCOMPARE(itemsOf(control<QComboBox>(Control::CmbCondition)), SizeConditionTexts());
        QCOMPARE(itemsOf(control<QComboBox>(Control::CmbUnit)), SizeUnitTexts());
        QCOMPARE(itemsOf(control<QComboBox>(Control::CmbPic)), PixelConditionTexts());
        const auto* pictureTypes = control<QListWidget>(Control::ChkLstPic);
        QCOMPARE(pictureTypes->count(), PagePictureTypes().size());
        for (int row = 0; row < pictureTypes->count(); ++row) {
            QCOMPARE(pictureTypes->item(row)->text(), PagePictureTypes()[row].text);
        }
    }

    // varnoth PATH...: a file is added, a folder adds its own files, a repeat and a missing path add nothing.
    void pathArgumentsFillTheFileList() {
        const QByteArray inFolder = WriteTestFile(path(u"in/a.txt"_s));
        WriteTestFile(path(u"in/sub/deeper.txt"_s));
        const QByteArray single = WriteTestFile(path(u"b.txt"_s));
        const QByteArray folder = QFile::encodeName(path(u"in"_s));
        AddWindowPaths({folder, single, single, folder + "/missing"}, mainWindow().fileList());
        QCOMPARE(mainWindow().fileList().paths(), QByteArrayList({inFolder, single}));
    }
};

QTEST_MAIN(TestCliWindow)
#include "test_cli_window.moc"

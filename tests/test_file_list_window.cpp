#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "testsupport/OpenedUrls.h"
#include "testsupport/PermissionBits.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowTest.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QScopeGuard>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTest>
#include <QTextLayout>
#include <QTreeView>
#include <QUrl>
#include <QtMath>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

// Building the file list through the window: the open dialog, drops, list files, removing, clearing and folder
// scans, offscreen with the real dialogs.
class TestFileListWindow : public WindowTest {
    Q_OBJECT
private:
    FileListModel& fileList() { return mainWindow().fileList(); }
    QByteArrayList entries() {
        QByteArrayList all;
        for (int row = 0; row < fileList().size(); ++row) {
            all.append(fileList().at(row));
        }
        return all;
    }
    QByteArray bytes(const QString& name) const { return QFile::encodeName(path(name)); }
    void click(const QString& button) { QTest::mouseClick(control(button), Qt::LeftButton); }
    // Answers the next file dialog by typing text into its file name field in folder, then accepting it.
    void answerFileDialog(const QString& folder, const QString& text, QString* proposedName = nullptr) {
        onNextModal([=](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            auto* nameField = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
            if (proposedName) {
                *proposedName = nameField->text();
            }
            dialog->setDirectory(folder);
            nameField->setText(text);
            QTest::keyClick(nameField, Qt::Key_Return);
        });
    }
    void select(int row) {
        auto* view = control<QListView>(Control::ListBox1);
        view->selectionModel()->select(fileList().index(row), QItemSelectionModel::ClearAndSelect);
    }
    QString shownCount() { return control<QLabel>(Control::LblFileCount)->text(); }
    // Opens the list's context menu and returns which of its entries are enabled, by object name.
    QMap<QString, bool> contextMenuEntries() {
        QWidget* viewport = control<QListView>(Control::ListBox1)->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(viewport, &event);
        auto* menu = mainWindow().findChild<QMenu*>(Control::ListBox1Menu);
        QMap<QString, bool> enabled;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                enabled[action->text()] = action->isEnabled();
            }
        }
        menu->hide();
        return enabled;
    }
    void drop(const QByteArray& uriList) {
        QMimeData data;
        data.setData(u"text/uri-list"_s, uriList);
        QWidget* target = control<QListView>(Control::ListBox1)->viewport();
        const QPoint at(10, 10);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
    }

private slots:
    void addingFilesThroughTheOpenDialog() {
        WriteTestFile(path(u"in/a.txt"_s));
        WriteTestFile(path(u"in/西游记.doc"_s));
        answerFileDialog(path(u"in"_s), u"\"a.txt\" \"西游记.doc\""_s);
        click(Control::Button1);
        QCOMPARE(entries(), (QByteArrayList{bytes(u"in/a.txt"_s), bytes(u"in/西游记.doc"_s)}));
        // The same file again, in other letters: nothing is added.
        fileList().AppendUnique({bytes(u"in/A.TXT"_s)});
        QCOMPARE(fileList().size(), 2);
    }

    void dropsAddFilesOnlyAndAllowDuplicates() {
        const QByteArray file = WriteTestFile(path(u"d/a b.txt"_s));
        const QByteArray uriList = "file://" + file.toPercentEncoding("/") + "\r\nfile://" +
                                   file.toPercentEncoding("/") + "\r\n# a comment\r\nfile://" +
                                   bytes(u"d"_s).toPercentEncoding("/") + "\r\nfile://" +
                                   bytes(u"d/missing"_s).toPercentEncoding("/") + "\r\n";
        drop(uriList);
        QCOMPARE(entries(), (QByteArrayList{file, file}));
    }

    void aDroppedNameThatIsNotUtf8KeepsItsBytes() {
        const QByteArray raw = QFile::encodeName(testFolder()) + "/\xb2\xe2\xca\xd4.txt";
        FILE* created = std::fopen(raw.constData(), "w");
        QVERIFY(created);
        std::fclose(created);
        drop("file://" + raw.toPercentEncoding("/") + "\r\n");
        QCOMPARE(entries(), QByteArrayList{raw});
    }

    // A NUL inside a path (%00) would make the system act on a.txt while the list shows and filters a.txt%00.jpg;
    // our own temporary files are no files of the user's.
    void dropsTakeNoPathWithANulByteAndNoTemporaryFileOfOurs() {
        const QByteArray file = WriteTestFile(path(u"d/a.txt"_s));
        const QByteArray temporary = WriteTestFile(path(u"d/.varnoth-12-3.part"_s));
        // A malformed escape spells no byte; a lenient decoder would read "%pa" as a line break.
        WriteTestFile(path(u"d/b\n.txt"_s));
        drop("file://" + file.toPercentEncoding("/") + "%00.jpg\r\nfile://" + temporary.toPercentEncoding("/") +
             "\r\nfile://" + bytes(u"d"_s).toPercentEncoding("/") + "/b%pa.txt\r\n");
        QCOMPARE(entries(), QByteArrayList{});
    }

    // The list measures one row for all (uniform item sizes): measured on a plain Latin name, a row is still as high
    // as a Chinese name needs, drawn by a taller fallback font, so that its underscore and descenders show.
    void rowsFitNamesInEveryScript() {
        auto* view = control<QListView>(Control::ListBox1);
        fileList().AppendUnique({"/in/a.txt", "/in/发票_11.pdf", "/in/ｇｊｐｑｙ_Ｗ.txt"});
        QStyleOptionViewItem option;
        option.initFrom(view);
        const int measured = view->itemDelegate()->sizeHint(option, fileList().index(0)).height();
        for (int row = 0; row < fileList().size(); ++row) {
            const QString name = fileList().index(row).data().toString();
            QTextLayout layout(name, view->font());
            layout.beginLayout();
            QTextLine line = layout.createLine();
            line.setLineWidth(1 << 20);
            layout.endLayout();
            QVERIFY2(measured >= qCeil(line.height()), qPrintable(name));
            QVERIFY(view->visualRect(fileList().index(row)).height() >= qCeil(line.height()));
        }
    }

    void removeAndClear() {
        for (const QString& name : {u"a"_s, u"b"_s, u"c"_s}) {
            fileList().AppendUnique({WriteTestFile(path(name))});
        }
        auto* view = control<QListView>(Control::ListBox1);
        view->clearSelection();
        click(Control::Button2);
        QCOMPARE(fileList().size(), 3); // nothing selected, nothing removed
        view->selectionModel()->select(fileList().index(1), QItemSelectionModel::Select);
        click(Control::Button2);
        QCOMPARE(entries(), (QByteArrayList{bytes(u"a"_s), bytes(u"c"_s)}));
        QVERIFY(view->selectionModel()->selectedRows().isEmpty());
        click(Control::Button6);
        QCOMPARE(fileList().size(), 0);
    }

    void theCountFollowsEveryChange() {
        QCOMPARE(shownCount(), u"共 0 个文件"_s);
        fileList().AppendUnique(
            {WriteTestFile(path(u"a"_s)), WriteTestFile(path(u"b"_s)), WriteTestFile(path(u"c"_s))});
        QCOMPARE(shownCount(), u"共 3 个文件"_s);
        drop("file://" + WriteTestFile(path(u"d"_s)).toPercentEncoding("/") + "\r\n");
        QCOMPARE(shownCount(), u"共 4 个文件"_s);
        select(1);
        click(Control::Button2);
        QCOMPARE(shownCount(), u"共 3 个文件"_s);
        // The Delete key removes the selected entry, as 移除文件 does.
        mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow()));
        control(Control::ListBox1)->setFocus();
        select(0);
        QTest::keyClick(control(Control::ListBox1), Qt::Key_Delete);
        QCOMPARE(entries(), (QByteArrayList{bytes(u"c"_s), bytes(u"d"_s)}));
        QCOMPARE(shownCount(), u"共 2 个文件"_s);
        click(Control::Button6);
        QCOMPARE(shownCount(), u"共 0 个文件"_s);
    }

    // The context menu offers 移除文件 and 清空列表 as the buttons do, locked during a run as they are, and
    // 打开所在文件夹 for the selected entry.
    void theContextMenu() {
        const QByteArray first = WriteTestFile(path(u"in/游记1.txt"_s));
        fileList().AppendUnique({first, WriteTestFile(path(u"in/游记2.txt"_s))});
        const QMap<QString, bool> nothingSelected = {
            {u"移除文件"_s, false}, {u"清空列表"_s, true}, {u"打开所在文件夹"_s, false}};
        QCOMPARE(contextMenuEntries(), nothingSelected);
        select(0);
        const QMap<QString, bool> all = {{u"移除文件"_s, true}, {u"清空列表"_s, true}, {u"打开所在文件夹"_s, true}};
        QCOMPARE(contextMenuEntries(), all);
        OpenedUrls fileManager;
        mainWindow().findChild<QAction*>(Control::ActOpenFolder)->trigger();
        QCOMPARE(fileManager.urls, QList<QUrl>{QUrl::fromLocalFile(path(u"in"_s))});

        // During a run (held at its question) neither the menu nor the Delete key changes the list.
        WriteTestFile(path(u"out/游记/游记1.txt"_s), "old");
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        control<QLineEdit>(Control::EdtKeys)->setText(u"游记"_s);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        control<QAbstractButton>(Control::RbAsk)->click();
        QMap<QString, bool> duringRun;
        ShownMessage question;
        ShownMessage done;
        answerNextMessage(&question, QMessageBox::No, [&] {
            select(0);
            duringRun = contextMenuEntries();
            mainWindow().findChild<QAction*>(Control::ActRemoveFile)->trigger();
            mainWindow().findChild<QAction*>(Control::ActClearList)->trigger();
            answerNextMessage(&done);
        });
        click(Control::BtnCopy);
        const QMap<QString, bool> locked = {
            {u"移除文件"_s, false}, {u"清空列表"_s, false}, {u"打开所在文件夹"_s, true}};
        QCOMPARE(duringRun, locked);
        QCOMPARE(fileList().size(), 2);
        // Unlocked again after the run.
        select(0);
        mainWindow().findChild<QAction*>(Control::ActRemoveFile)->trigger();
        QCOMPARE(fileList().size(), 1);
    }

    void exportingAnEmptyListIsRefused() {
        ShownMessage shown;
        answerNextMessage(&shown);
        click(Control::BtnSaveFileList);
        QCOMPARE(shown.text, u"当前文件列表为空！"_s);
        QCOMPARE(EntriesOf(testFolder()), QStringList());
    }

    void exportThenImport() {
        fileList().AppendUnique({WriteTestFile(path(u"files/one"_s)), WriteTestFile(path(u"files/二"_s))});
        QString proposed;
        QDir().mkpath(path(u"lists"_s));
        answerFileDialog(path(u"lists"_s), u"mylist"_s, &proposed);
        click(Control::BtnSaveFileList);
        QCOMPARE(proposed, u"file.lst"_s);
        // Written as typed, without an added extension, every line ending in CR LF.
        QCOMPARE(ReadTestFile(path(u"lists/mylist"_s)), bytes(u"files/one"_s) + "\r\n" + bytes(u"files/二"_s) + "\r\n");
        // The next export proposes file.lst again.
        answerFileDialog(path(u"lists"_s), u"second.lst"_s, &proposed);
        click(Control::BtnSaveFileList);
        QCOMPARE(proposed, u"file.lst"_s);

        click(Control::Button6);
        WriteTestFile(path(u"lists/in.lst"_s), bytes(u"files/one"_s) + "\n\n" + bytes(u"files/ONE"_s) + "\r" +
                                                   bytes(u"files/gone"_s) + "\r\n" + bytes(u"files"_s) + "\r\n");
        answerFileDialog(path(u"lists"_s), u"in.lst"_s);
        click(Control::BtnImpFileList);
        QCOMPARE(entries(), (QByteArrayList{bytes(u"files/one"_s), bytes(u"files"_s)}));
    }

    // A name holding a line break would become two lines, and the second could name another file on import.
    void exportLeavesOutNamesWithALineBreakAndSaysSo() {
        const QByteArray poisoned = WriteTestFile(path(u"files/photo\n.bashrc"_s));
        const QByteArray good = WriteTestFile(path(u"files/good.jpg"_s));
        const QByteArray alsoPoisoned = WriteTestFile(path(u"files/b\rc"_s));
        fileList().AppendUnique({poisoned, good, alsoPoisoned});
        ShownMessage shown;
        answerFileDialog(testFolder(), u"out.lst"_s);
        answerNextMessage(&shown);
        click(Control::BtnSaveFileList);
        QCOMPARE(ReadTestFile(path(u"out.lst"_s)), good + "\r\n");
        QCOMPARE(shown.icon, QMessageBox::Information);
        QVERIFY2(shown.text.contains(u"2 个"_s) && shown.text.contains(path(u"files/photo\n.bashrc"_s)),
                 qPrintable(shown.text));
    }

    // A relative line would be resolved against the program's working folder, which the list knows nothing of.
    void importIgnoresRelativeLines() {
        WriteTestFile(path(u".bashrc"_s));
        const QByteArray absolute = WriteTestFile(path(u"files/one"_s));
        WriteTestFile(path(u"in.lst"_s), "photo\r\n.bashrc\r\n" + absolute + "\r\n");
        const QString workingFolder = QDir::currentPath();
        QDir::setCurrent(testFolder());
        answerFileDialog(testFolder(), u"in.lst"_s);
        click(Control::BtnImpFileList);
        QDir::setCurrent(workingFolder);
        QCOMPARE(entries(), QByteArrayList{absolute});
    }

    void aListFileThatCannotBeWrittenIsReported() {
        fileList().AppendUnique({WriteTestFile(path(u"a"_s))});
        const QByteArray locked = WriteTestFile(path(u"locked.lst"_s), "old");
        QVERIFY(::chmod(locked.constData(), 0444) == 0);
        ShownMessage shown;
        answerFileDialog(testFolder(), u"locked.lst"_s);
        answerNextMessage(&shown);
        click(Control::BtnSaveFileList);
        QCOMPARE(shown.icon, QMessageBox::Information);
        QVERIFY2(shown.text.contains(path(u"locked.lst"_s)), qPrintable(shown.text));
        QCOMPARE(ReadTestFile(path(u"locked.lst"_s)), QByteArray("old"));
        QCOMPARE(fileList().size(), 1);
    }

    void scanningAFolderThroughThePicker_data() {
        QTest::addColumn<bool>("wholeTree");
        QTest::addColumn<bool>("depthLimited");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("own files") << false << false << QString() << QStringList{u"a/1"_s};
        QTest::newRow("one level") << false << true << u"1"_s << QStringList{u"a/1"_s, u"a/b/2"_s};
        QTest::newRow("whole tree") << true << false << QString() << QStringList{u"a/1"_s, u"a/b/2"_s, u"a/b/c/3"_s};
        QTest::newRow("empty level") << false << true << QString() << QStringList();
    }
    void scanningAFolderThroughThePicker() {
        QFETCH(bool, wholeTree);
        QFETCH(bool, depthLimited);
        QFETCH(QString, level);
        QFETCH(QStringList, added);
        WriteTestFile(path(u"a/1"_s));
        WriteTestFile(path(u"a/b/2"_s));
        WriteTestFile(path(u"a/b/c/3"_s));
        onNextModal([&](QWidget* picker) {
            auto* tree = picker->findChild<QTreeView*>(Control::ShellTreeView1);
            tree->setCurrentIndex(static_cast<QFileSystemModel*>(tree->model())->index(path(u"a"_s)));
            picker->findChild<QCheckBox*>(Control::CheckBox1)->setChecked(wholeTree);
            picker->findChild<QCheckBox*>(Control::CheckBox2)->setChecked(depthLimited);
            picker->findChild<QComboBox*>(Control::ComboBox1)->setEditText(level);
            picker->findChild<QAbstractButton*>(Control::BitBtn1)->click();
        });
        click(Control::Button5);
        QByteArrayList expected;
        for (const QString& name : added) {
            expected.append(bytes(name));
        }
        QCOMPARE(entries(), expected);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // A scan that could not read some folders adds what it could and then names how many it could not, and the
    // first few of them, in an information box.
    void aScanNamesTheFoldersItCouldNotRead() {
        WriteTestFile(path(u"a/1"_s));
        QStringList locked;
        for (int i = 0; i < 7; ++i) {
            locked.append(path(u"a/locked%1"_s.arg(i)));
            WriteTestFile(locked.last() + u"/x"_s);
            QVERIFY(::chmod(QFile::encodeName(locked.last()).constData(), 0) == 0);
        }
        const auto unlock = qScopeGuard([&] {
            for (const QString& folder : locked) {
                ::chmod(QFile::encodeName(folder).constData(), 0755);
            }
        });
        const PermissionBitsBind bound;
        if (!bound.reason().isEmpty()) {
            QSKIP(qPrintable(bound.reason()));
        }
        onNextModal([&](QWidget* picker) {
            auto* tree = picker->findChild<QTreeView*>(Control::ShellTreeView1);
            tree->setCurrentIndex(static_cast<QFileSystemModel*>(tree->model())->index(path(u"a"_s)));
            picker->findChild<QCheckBox*>(Control::CheckBox1)->setChecked(true);
            picker->findChild<QAbstractButton*>(Control::BitBtn1)->click();
        });
        ShownMessage box;
        answerNextMessage(&box);
        click(Control::Button5);

        QCOMPARE(entries(), QByteArrayList{bytes(u"a/1"_s)});
        QCOMPARE(box.title, u"Varnoth"_s);
        QCOMPARE(box.icon, QMessageBox::Information);
        QStringList lines = box.text.split(u'\n');
        QCOMPARE(lines.takeFirst(), u"有 7 个文件夹无法读取，其中的文件未添加到列表中："_s);
        QCOMPARE(lines.takeLast(), u"……另有 2 个文件夹"_s);
        QCOMPARE(lines.size(), 5);
        for (const QString& line : lines) {
            QVERIFY2(locked.contains(line), qPrintable(line));
        }
        QCOMPARE(lines.removeDuplicates(), 0);
    }

    // After a scan the status line says how many files were added and how many were listed already.
    void aScanSaysWhatItAdded() {
        const QByteArray listed = WriteTestFile(path(u"a/1"_s));
        WriteTestFile(path(u"a/2"_s));
        WriteTestFile(path(u"a/3"_s));
        fileList().AppendUnique({listed});
        onNextModal([&](QWidget* picker) {
            auto* tree = picker->findChild<QTreeView*>(Control::ShellTreeView1);
            tree->setCurrentIndex(static_cast<QFileSystemModel*>(tree->model())->index(path(u"a"_s)));
            picker->findChild<QAbstractButton*>(Control::BitBtn1)->click();
        });
        click(Control::Button5);
        QCOMPARE(fileList().size(), 3);
        QCOMPARE(control<QLabel>(Control::LblProgress)->text(), u"添加了 2 个文件，1 个已在列表中"_s);
    }

    void cancellingThePickerAddsNothing() {
        WriteTestFile(path(u"a/1"_s));
        onNextModal([&](QWidget* picker) {
            auto* tree = picker->findChild<QTreeView*>(Control::ShellTreeView1);
            tree->setCurrentIndex(static_cast<QFileSystemModel*>(tree->model())->index(path(u"a"_s)));
            picker->findChild<QAbstractButton*>(Control::BitBtn2)->click();
        });
        click(Control::Button5);
        QCOMPARE(fileList().size(), 0);
    }
};

QTEST_MAIN(TestFileListWindow)
#include "test_file_list_window.moc"

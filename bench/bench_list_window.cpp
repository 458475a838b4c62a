// The file list through the real main window, offscreen: a whole-tree scan of 100,000 files chosen in the folder
// picker against find; the import of a list of 1,000,000 files against ten times the import of 100,000; and the
// peak memory of the window with 100,000 and 1,000,000 entries added through AppendUnique, and with 1,000,000
// imported. Each memory figure comes
// from a process of its own (this program, started again with the case's name), as the peak is the process's.
// `bench_list_window scan-window <tree>` scans a tree twenty times through the window, for a profiler.

#include "BenchCommon.h"
#include "ScanTree.h"
#include "filelist/FileListModel.h"
#include "testsupport/Controls.h"
#include "ui/MainWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {

constexpr int kMillion = 1000000;

// Acts on the next modal dialog as soon as it shows.
void onNextModal(const std::function<void(QWidget*)>& act) {
    auto* polling = new QTimer;
    polling->setInterval(0);
    QObject::connect(polling, &QTimer::timeout, [polling, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            polling->deleteLater();
            polling->stop();
            act(modal);
        }
    });
    polling->start();
}

QAbstractButton* button(QWidget& window, const QString& name) {
    return window.findChild<QAbstractButton*>(name);
}

// Clicks "添加目录下文件", chooses folder in the picker's tree with the whole-tree box, presses 确定 and waits for
// the filled list: the seconds from the click to the end.
double scanThroughWindow(const QByteArray& folder) {
    MainWindows windows;
    windows.mainWindow.show();
    QApplication::processEvents();
    onNextModal([&](QWidget* picker) {
        auto* tree = picker->findChild<QTreeView*>(Control::ShellTreeView1);
        tree->setCurrentIndex(static_cast<QFileSystemModel*>(tree->model())->index(QFile::decodeName(folder)));
        picker->findChild<QCheckBox*>(Control::CheckBox1)->setChecked(true);
        button(*picker, Control::BitBtn1)->click();
    });
    const double seconds = SecondsFor([&] { button(windows.mainWindow, Control::Button5)->click(); });
    if (windows.mainWindow.fileList().size() != kScanTreeFiles) {
        FailBench("the scan through the window did not list the tree");
    }
    return seconds;
}

// Clicks "导入列表", types the list file's name into the open dialog and waits for the filled list.
double importThroughWindow(MainWindows& windows, const QString& listFile, int entries) {
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(listFile);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, as the open button does
    });
    const double seconds = SecondsFor([&] { button(windows.mainWindow, Control::BtnImpFileList)->click(); });
    if (windows.mainWindow.fileList().size() != entries) {
        FailBench("the import through the window did not list every file");
    }
    return seconds;
}

// folder/photos with 1,000 files and links l0 ... l999 to it: each link and file name gives one of 1,000,000
// existing, distinct paths. The list files hold the first entries of them.
QString makeLinkedList(const QString& folder, int entries) {
    const QByteArray root = QFile::encodeName(folder);
    if (::access((root + "/photos").constData(), F_OK) != 0) {
        MakeBenchFolder(root + "/photos");
        for (int file = 0; file < 1000; ++file) {
            MakeBenchFile(root + "/photos/IMG_" + QByteArray::number(file + 1000) + ".JPG");
        }
        for (int link = 0; link < 1000; ++link) {
            if (::symlink("photos", (root + "/trip-" + QByteArray::number(link + 1000)).constData()) != 0) {
                FailBench("cannot make a link");
            }
        }
    }
    const QString listFile = QStringLiteral("%1/%2.lst").arg(folder).arg(entries);
    QFile list(listFile);
    if (!list.open(QIODevice::WriteOnly)) {
        FailBench("cannot write the list file");
    }
    for (int i = 0; i < entries; ++i) {
        list.write(root + "/trip-" + QByteArray::number(i / 1000 + 1000) + "/IMG_" +
                   QByteArray::number(i % 1000 + 1000) + ".JPG\r\n");
    }
    return listFile;
}

// The window shown with entries of a typical length, appended a folder's worth at a time, scrolled to the end.
void memoryWithEntries(int entries) {
    MainWindows windows;
    windows.mainWindow.show();
    QByteArrayList folder;
    for (int i = 0; i < entries; ++i) {
        folder.append(QStringLiteral("/home/user/照片/2024/旅行/folder_%1/IMG_%2.JPG").arg(i / 1000).arg(i).toUtf8());
        if (folder.size() == 1000) {
            windows.mainWindow.fileList().AppendUnique(folder);
            folder.clear();
        }
    }
    windows.mainWindow.findChild<QListView*>(Control::ListBox1)->scrollToBottom();
    QApplication::processEvents();
    std::printf("bench: memory-%s rss=%.0fMB\n", entries == kMillion ? "1m" : "100k", PeakMegabytes());
}

void importMemory(const QString& folder) {
    MainWindows windows;
    windows.mainWindow.show();
    importThroughWindow(windows, makeLinkedList(folder, kMillion), kMillion);
    std::printf("bench: import-window-1m rss=%.0fMB\n", PeakMegabytes());
}

// Runs this program again for one case and passes its output on.
void inChildProcess(const QString& caseName, const QString& argument) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {caseName, argument});
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        FailBench("a memory case failed");
    }
}

} // namespace

int main(int argc, char** argv) {
    // The windows start from their defaults, not from the user's settings file, and write none.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.filePath(QStringLiteral("config"))));
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3) {
        if (arguments[1] == QLatin1String("memory")) {
            memoryWithEntries(arguments[2].toInt());
        } else if (arguments[1] == QLatin1String("import-memory")) {
            importMemory(arguments[2]);
        } else {
            // For a profiler: twenty scans of an existing tree of kScanTreeFiles files through the window.
            for (int run = 0; run < 20; ++run) {
                scanThroughWindow(QFile::encodeName(arguments[2]));
            }
        }
        return 0;
    }
    QTemporaryDir dir;
    inChildProcess(QStringLiteral("memory"), QString::number(kMillion / 10));
    inChildProcess(QStringLiteral("memory"), QString::number(kMillion));
    inChildProcess(QStringLiteral("import-memory"), dir.path());

    const QByteArray tree = QFile::encodeName(dir.path()) + "/tree";
    MakeScanTree(tree);
    const auto find = [&](int) {
        return SecondsForCommand(QStringLiteral("find '%1' -type f > /dev/null").arg(QFile::decodeName(tree)));
    };
    const auto window = [&](int) { return scanThroughWindow(tree); };
    find(0); // warms the caches for both sides
    window(0);
    PrintBenchLine("scan-window-100k", BestOfPairs(kBenchPairs, find, window), "find");

    const QString list100k = makeLinkedList(dir.path(), kMillion / 10);
    const QString list1m = makeLinkedList(dir.path(), kMillion);
    const auto importSeconds = [&](const QString& listFile, int entries) {
        MainWindows windows;
        windows.mainWindow.show();
        return importThroughWindow(windows, listFile, entries);
    };
    const BestPair million = BestOfPairs(
        kBenchPairs, [&](int) { return importSeconds(list100k, kMillion / 10); },
        [&](int) { return importSeconds(list1m, kMillion); });
    PrintBenchLine("import-window-1m", million.measured, "10x-import-window-100k", 10 * million.baseline);
    return 0;
}

// The whole program at work: a 10,000-file keyword sort driven through the real main window (progress bar and
// event processing included) against the same sort through the engine alone.

#include "BenchCommon.h"
#include "KeywordSortTree.h"
#include "core/CriterionPage.h"
#include "engine/SortRun.h"
#include "filelist/FileListModel.h"
#include "testsupport/FakeRunHost.h"
#include "ui/MainWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {

double engineSeconds(const QByteArrayList& files, const QString& outDir) {
    FakeRunHost host;
    host.files = files;
    host.outDir = outDir;
    host.keywords = kKeywordSortKeywords;
    return SecondsFor([&] { RunSort(host); });
}

// Clicks the start button of a real main window and closes the completion box as soon as it shows.
double windowSeconds(const QByteArrayList& files, const QString& outDir) {
    MainWindows windows;
    TForm1& form = windows.form1;
    form.show();
    form.fileList().AppendUnique(files);
    form.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(KeywordPage);
    form.findChild<QLineEdit*>(QStringLiteral("EdtKeys"))->setText(kKeywordSortKeywords);
    form.findChild<QLineEdit*>(QStringLiteral("EdtOutDir"))->setText(outDir);
    QTimer closeCompletion;
    closeCompletion.setInterval(1);
    QObject::connect(&closeCompletion, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->accept();
        }
    });
    closeCompletion.start();
    return SecondsFor([&] { form.findChild<QAbstractButton*>(QStringLiteral("BtnCopy"))->click(); });
}

} // namespace

int main(int argc, char** argv) {
    // The windows start from their defaults, not from the user's settings file, and write none.
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    QApplication application(argc, argv);
    const QByteArrayList files = MakeKeywordSortTree(dir.filePath(QStringLiteral("src")));
    constexpr int kRuns = 3;
    const double engine = BestSeconds(
        kRuns, [&](int run) { return engineSeconds(files, dir.filePath(QStringLiteral("engine-%1").arg(run))); });
    const double window = BestSeconds(
        kRuns, [&](int run) { return windowSeconds(files, dir.filePath(QStringLiteral("window-%1").arg(run))); });
    PrintBenchLine("window-sort-10k", window, "engine", engine);
    return 0;
}

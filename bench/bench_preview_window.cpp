// The preview of a 10,000-file keyword sort through the real main window, from the click on 预览 until the plan's
// table is drawn, against the real copy run of the same list started from the same window.

#include "BenchCommon.h"
#include "KeywordSortWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

// Clicks 预览 and, once the preview is up, draws its table and closes it.
double previewSeconds(MainWindow& window, int expectedRows) {
    int rows = -1;
    const double seconds = SecondsForClick(window, Control::BtnPreview, [&](QWidget& modal) {
        auto* grid = modal.findChild<QAbstractItemView*>(Control::GridPlan);
        if (!grid) {
            return;
        }
        grid->viewport()->repaint();
        rows = grid->model()->rowCount();
        static_cast<QDialog&>(modal).reject();
    });
    if (rows != expectedRows) {
        std::fprintf(stderr, "the preview showed %d steps, not %d\n", rows, expectedRows);
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    UsePrivateFolders(dir.path());
    QApplication application(argc, argv);
    const QByteArrayList files = MakeKeywordSortTree(dir.filePath(QStringLiteral("src")));
    constexpr int kRuns = 3;
    const double preview = BestSeconds(kRuns, [&](int run) {
        MainWindows windows;
        PrepareKeywordSort(windows.mainWindow, files, dir.filePath(QStringLiteral("preview-%1").arg(run)));
        return previewSeconds(windows.mainWindow, int(files.size()));
    });
    const double copy = BestSeconds(
        kRuns, [&](int run) { return WindowRunSeconds(files, dir.filePath(QStringLiteral("run-%1").arg(run))); });
    PrintBenchLine("preview-window-10k", preview, "run", copy);
    return 0;
}

// The preview through the real main window, offscreen.
//
// preview-window-10k: a 10,000-file keyword sort from the click on 预览 until the complete plan's table is drawn,
// against the real copy run of the same list started from the same window; each the best of five.
//
// preview-window-100k: a 100,000-file list. first: from the click until the preview's table first holds rows and they
// are drawn; complete: until the plan is complete (the preview's start button is enabled) and its table drawn; gap:
// the longest time between two timeouts of a QTimer of 5 ms that runs on the window's event loop from the click on,
// i.e. the longest the window went without processing its events. first and complete are the best of five runs, gap
// the longest of all five.

#include "BenchCommon.h"
#include "KeywordSortWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kRuns = 5;

// The preview's table, drawn now, and its row count; nullptr when modal is not the preview.
QAbstractItemView* drawnTable(QWidget& modal) {
    auto* grid = modal.findChild<QAbstractItemView*>(Control::GridPlan);
    if (grid) {
        grid->viewport()->repaint();
    }
    return grid;
}

bool planComplete(const QWidget& modal) {
    const auto* start = modal.findChild<QAbstractButton*>(Control::BtnPlanRun);
    return start && start->isEnabled();
}

void failUnlessRows(int rows, int expectedRows) {
    if (rows != expectedRows) {
        std::fprintf(stderr, "the preview showed %d steps, not %d\n", rows, expectedRows);
        std::exit(1);
    }
}

// Clicks 预览 and, once the plan is complete, draws its table and closes the preview.
double previewSeconds(MainWindow& window, int expectedRows) {
    int rows = -1;
    const double seconds = SecondsForClick(window, Control::BtnPreview, [&](QWidget& modal) {
        if (!planComplete(modal)) {
            return;
        }
        if (QAbstractItemView* grid = drawnTable(modal)) {
            rows = grid->model()->rowCount();
            static_cast<QDialog&>(modal).reject();
        }
    });
    failUnlessRows(rows, expectedRows);
    return seconds;
}

struct FillFigures {
    double first = 0;
    double complete = 0;
    double longestGap = 0;
};

// One preview of the list in window, timed as the file's opening comment says.
FillFigures previewFill(MainWindow& window, int expectedRows) {
    FillFigures figures{-1, -1, 0};
    int rows = -1;
    QElapsedTimer clock;
    qint64 lastTick = 0;
    QTimer ticks;
    ticks.setInterval(5);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        figures.longestGap = std::max(figures.longestGap, double(now - lastTick) / 1e6);
        lastTick = now;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            return;
        }
        QAbstractItemView* grid = modal->findChild<QAbstractItemView*>(Control::GridPlan);
        if (!grid) {
            return;
        }
        if (figures.first < 0 && grid->model()->rowCount() > 0) {
            drawnTable(*modal);
            figures.first = double(clock.nsecsElapsed()) / 1e9;
        }
        if (planComplete(*modal)) {
            drawnTable(*modal);
            figures.complete = double(clock.nsecsElapsed()) / 1e9;
            rows = grid->model()->rowCount();
            static_cast<QDialog*>(modal)->reject();
        }
    });
    clock.start();
    ticks.start();
    window.findChild<QAbstractButton*>(Control::BtnPreview)->click();
    failUnlessRows(rows, expectedRows);
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    UsePrivateFolders(dir.path());
    QApplication application(argc, argv);
    const QByteArrayList files = MakeKeywordSortTree(dir.filePath(QStringLiteral("src")));
    const double preview = BestSeconds(kRuns, [&](int run) {
        MainWindows windows;
        PrepareKeywordSort(windows.mainWindow, files, dir.filePath(QStringLiteral("preview-%1").arg(run)));
        return previewSeconds(windows.mainWindow, int(files.size()));
    });
    const double copy = BestSeconds(
        kRuns, [&](int run) { return WindowRunSeconds(files, dir.filePath(QStringLiteral("run-%1").arg(run))); });
    PrintBenchLine("preview-window-10k", preview, "run", copy);

    const QByteArrayList manyFiles = MakeKeywordSortTree(dir.filePath(QStringLiteral("src-100k")), 100000);
    FillFigures best{};
    for (int run = 0; run < kRuns; ++run) {
        SettleDisk();
        MainWindows windows;
        PrepareKeywordSort(windows.mainWindow, manyFiles, dir.filePath(QStringLiteral("preview-100k-%1").arg(run)));
        const FillFigures figures = previewFill(windows.mainWindow, int(manyFiles.size()));
        best.first = run == 0 ? figures.first : std::min(best.first, figures.first);
        best.complete = run == 0 ? figures.complete : std::min(best.complete, figures.complete);
        best.longestGap = std::max(best.longestGap, figures.longestGap);
    }
    std::printf("bench: preview-window-100k first=%.3fs complete=%.3fs gap=%.0fms\n", best.first, best.complete,
                best.longestGap);
    return 0;
}

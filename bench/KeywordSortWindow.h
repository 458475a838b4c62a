#pragma once

#include "BenchCommon.h"
#include "KeywordSortTree.h"
#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "testsupport/Controls.h"
#include "ui/MainWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>

#include <functional>

// The real main window set up for the keyword sort of the benchmark tree, and the clicks the window benchmarks time.

// Makes the windows read and write their settings and journals under root, never the user's.
inline void UsePrivateFolders(const QString& root) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
    qputenv("XDG_STATE_HOME", QFile::encodeName(root + QStringLiteral("/state")));
}

// Shows window with files listed, on the keyword page with the tree's keywords, sorting into outDir.
inline void PrepareKeywordSort(MainWindow& window, const QByteArrayList& files, const QString& outDir) {
    window.show();
    window.fileList().AppendUnique(files);
    window.findChild<QTabWidget*>(Control::PageControl1)->setCurrentIndex(KeywordPage);
    window.findChild<QLineEdit*>(Control::EdtKeys)->setText(kKeywordSortKeywords);
    window.findChild<QLineEdit*>(Control::EdtOutDir)->setText(outDir);
}

// Seconds from a click on the button called buttonName until it returns; every modal window that shows meanwhile is
// handed to close as soon as it is up.
inline double SecondsForClick(MainWindow& window, const QString& buttonName,
                              const std::function<void(QWidget&)>& close) {
    QTimer closeModals;
    closeModals.setInterval(1);
    QObject::connect(&closeModals, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            close(*modal);
        }
    });
    closeModals.start();
    return SecondsFor([&] { window.findChild<QAbstractButton*>(buttonName)->click(); });
}

// A whole run in fresh windows: the start button clicked, and the completion box closed as soon as it shows.
inline double WindowRunSeconds(const QByteArrayList& files, const QString& outDir) {
    MainWindows windows;
    PrepareKeywordSort(windows.mainWindow, files, outDir);
    return SecondsForClick(windows.mainWindow, Control::BtnCopy, [](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
            box->accept();
        }
    });
}

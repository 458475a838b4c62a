// Saves a picture of the main window on each criterion page into the folder given as argument, for the
// documentation. Run it under a display (xvfb-run works) or with QT_QPA_PLATFORM=offscreen.

#include "MainWindows.h"
#include "MessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    MainWindows windows;
    windows.form1.show();
    auto* pages = windows.form1.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        const QString file = folder.filePath(QStringLiteral("page-%1.png").arg(page));
        if (!windows.form1.grab().save(file)) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

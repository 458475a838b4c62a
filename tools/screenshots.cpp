// Saves pictures of the main window on each criterion page, and of the type-entry dialog and the About window, into
// the folder given as argument, for the documentation. Run it under a display (xvfb-run works) or with
// QT_QPA_PLATFORM=offscreen.

#include "core/CriterionPage.h"
#include "ui/MainWindows.h"
#include "ui/MessageBoxes.h"

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
    const auto save = [&](QWidget& window, const QString& name) {
        window.show();
        QApplication::processEvents();
        const QString file = folder.filePath(name + QStringLiteral(".png"));
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
            std::exit(1);
        }
    };
    MainWindows windows;
    auto* pages = windows.form1.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int page = KeywordPage; page < PageCount; ++page) {
        pages->setCurrentIndex(page);
        save(windows.form1, QStringLiteral("page-%1").arg(page));
    }
    save(windows.frmSuffix, QStringLiteral("type-dialog"));
    save(windows.frmAbout, QStringLiteral("about"));
    return 0;
}

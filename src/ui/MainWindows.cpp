#include "ui/MainWindows.h"

#include <QApplication>
#include <QIcon>

namespace {
QIcon applicationIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/varnoth-48.png"));
    icon.addFile(QStringLiteral(":/icons/varnoth-256.png"));
    return icon;
}
} // namespace

MainWindows::MainWindows() : folderPicker(&mainWindow), about(&mainWindow), typeEntry(&mainWindow) {
    // Every window shows the program's icon.
    QApplication::setWindowIcon(applicationIcon());
    mainWindow.setDialogs(&folderPicker, &about, &typeEntry);
}

void MainWindows::closeAll() {
    // Closing a dialog takes it off the stack of modal windows at once; its event loop ends when this returns.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (!modal->close()) {
            break;
        }
    }
    mainWindow.close();
}

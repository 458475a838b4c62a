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

MainWindows::MainWindows() : form3(&form1), frmAbout(&form1), frmSuffix(&form1) {
    // Every window shows the program's icon.
    QApplication::setWindowIcon(applicationIcon());
    form1.setDialogs(&form3, &frmAbout, &frmSuffix);
}

void MainWindows::closeAll() {
    // Closing a dialog takes it off the stack of modal windows at once; its event loop ends when this returns.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (!modal->close()) {
            break;
        }
    }
    form1.close();
}

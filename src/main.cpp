#include "cli/CommandLineMain.h"
#include "cli/CommandLineText.h"
#include "ui/CloseOnSignal.h"
#include "ui/MainWindows.h"
#include "ui/MessageBoxes.h"

#include <QApplication>

#include <csignal>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    // A copy that meets the file-size limit then fails with EFBIG and is cleaned up, instead of the kernel's
    // signal ending the program part-way through a sort.
    std::signal(SIGXFSZ, SIG_IGN);

    const QByteArrayList arguments = ProgramArguments(argc, argv);
    const std::optional<QByteArrayList> windowPaths = WindowToOpen(arguments);
    if (!windowPaths) {
        // The command line needs no display: it never builds a window.
        QCoreApplication application(argc, argv);
        const CommandLineTranslation translation;
        return RunCommandLine(arguments);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    QGuiApplication::setDesktopFileName(u"example.varnoth.Varnoth"_s);
    MainWindows windows;
    AddWindowPaths(*windowPaths, windows.mainWindow.fileList());
    // A session that ends, a terminal that closes or Ctrl+C: the program ends as closing its window does.
    CloseOnTerminationSignals closeOnSignal([&windows] { windows.closeAll(); });
    windows.mainWindow.show();
    return QApplication::exec();
}

#include "ui/MainWindows.h"
#include "ui/MessageBoxes.h"
#include "ui/TerminationSignals.h"

#include <QApplication>

#include <csignal>

int main(int argc, char** argv) {
    // A copy that meets the file-size limit then fails with EFBIG and is cleaned up, instead of the kernel's
    // signal ending the program part-way through a sort.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    MainWindows windows;
    // A session that ends, a terminal that closes or Ctrl+C: the program ends as closing its window does.
    TerminationSignals termination([&windows] { windows.closeAll(); });
    windows.form1.show();
    return QApplication::exec();
}

#include "ui/MainWindows.h"
#include "ui/MessageBoxes.h"

#include <QApplication>

#include <csignal>

int main(int argc, char** argv) {
    // A copy that meets the file-size limit then fails with EFBIG and is cleaned up, instead of the kernel's
    // signal ending the program part-way through a sort.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    MainWindows windows;
    windows.form1.show();
    return QApplication::exec();
}

#include "TfrmAbout.h"

#include "MessageBoxes.h"

using namespace Qt::StringLiterals;

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmAbout"_s);
    setWindowTitle(u"关于 - "_s + kApplicationTitle);
}

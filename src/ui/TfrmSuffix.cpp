#include "TfrmSuffix.h"

#include "MessageBoxes.h"

using namespace Qt::StringLiterals;

TfrmSuffix::TfrmSuffix(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmSuffix"_s);
    setWindowTitle(u"添加文件类型"_s);
}

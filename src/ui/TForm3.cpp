#include "TForm3.h"

#include "MessageBoxes.h"

using namespace Qt::StringLiterals;

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TForm3"_s);
    setWindowTitle(u"选择要添加的目录（文件夹）"_s);
}

#include "ui/FolderInFileManager.h"

#include "core/TextBytes.h"
#include "ui/MessageBoxes.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QUrl>

void OpenFolderInFileManager(QWidget* parent, const QByteArray& folder) {
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(folder)))) {
        return;
    }
    QMessageBox box(QMessageBox::Information, kApplicationTitle,
                    QCoreApplication::translate("FolderInFileManager", "没有找到可以打开文件夹的文件管理器。文件夹：") +
                        u'\n' + DisplayText(folder),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("BoxNoFileManager"));
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

#include "ui/JournalWarningBox.h"

#include "core/TextBytes.h"
#include "ui/MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

bool AskToRunWithoutJournal(QWidget* parent, const QByteArray& folder) {
    QMessageBox box(QMessageBox::Warning, kApplicationTitle,
                    QCoreApplication::translate("JournalWarning", "无法写入分拣记录文件夹：") + u'\n' +
                        DisplayText(folder) + u'\n' +
                        QCoreApplication::translate("JournalWarning", "不记录本次分拣，它将无法撤销。是否继续？"),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("JournalWarning", "继续分拣"));
    box.button(QMessageBox::No)->setText(QCoreApplication::translate("JournalWarning", "停止"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

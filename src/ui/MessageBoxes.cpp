#include "ui/MessageBoxes.h"

#include <QMessageBox>

void ShowInformation(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, kApplicationTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

void ShowWarning(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, kApplicationTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

bool AskYesNo(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle, question, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

#include "ui/OverwriteQuestionBox.h"

#include "ui/MessageBoxes.h"
#include "ui/OverwriteEvidence.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

OverwriteAnswer AskOverwrite(QWidget* parent, const OverwriteQuestion& question) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle, question.text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setTextFormat(Qt::PlainText);
    SetPlainInformativeText(
        box, OverwriteEvidence(question.existing, question.incoming, [] { QCoreApplication::processEvents(); }));
    QPushButton* yesToAll =
        box.addButton(QCoreApplication::translate("OverwriteQuestion", "全部是"), QMessageBox::YesRole);
    yesToAll->setObjectName(QStringLiteral("BtnYesToAll"));
    QPushButton* noToAll =
        box.addButton(QCoreApplication::translate("OverwriteQuestion", "全部否"), QMessageBox::NoRole);
    noToAll->setObjectName(QStringLiteral("BtnNoToAll"));
    // Enter keeps the file that is there: replacing it is a choice the user makes, not a key pressed by habit.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == yesToAll) {
        return OverwriteAnswer::YesToAll;
    }
    if (clicked == noToAll) {
        return OverwriteAnswer::NoToAll;
    }
    return clicked == box.button(QMessageBox::Yes) ? OverwriteAnswer::Yes : OverwriteAnswer::No;
}

#pragma once

#include <QString>

class QMessageBox;
class QWidget;

// The program's title: the main window's caption and the caption of every message box.
inline const QString kApplicationTitle = QStringLiteral("Varnoth");

// Every text of a message box is shown as plain text, whatever it holds: a file name is never read as markup.

// A modal message box with the information icon and an OK button.
void ShowInformation(QWidget* parent, const QString& text);

// A modal message box with the warning icon and an OK button.
void ShowWarning(QWidget* parent, const QString& text);

// Sets the informative text of box so that it shows exactly as text, line breaks and runs of blanks included.
void SetPlainInformativeText(QMessageBox& box, const QString& text);

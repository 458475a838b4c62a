#pragma once

#include <QString>

class QWidget;

// The program's title: the main window's caption and the caption of every message box.
inline const QString kApplicationTitle = QStringLiteral("Varnoth");

// A modal message box with the information icon and an OK button.
void ShowInformation(QWidget* parent, const QString& text);

// A modal message box with the warning icon and an OK button.
void ShowWarning(QWidget* parent, const QString& text);

// A modal question with the question icon and the buttons Yes and No; true for Yes.
bool AskYesNo(QWidget* parent, const QString& question);

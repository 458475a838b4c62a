#pragma once

#include <QString>

class QLabel;
class QMessageBox;

// Text as a reader sees it on screen: the markup of rich text is gone, plain text stays as it is. A name that a
// label or box takes for markup shows differently from its own characters.

QString ShownText(const QLabel& label);

// The three texts of a message box: its text, its informative text and its detailed text.
struct ShownBoxTexts {
    QString text;
    QString informative;
    QString details;
};
ShownBoxTexts ShownTexts(const QMessageBox& box);

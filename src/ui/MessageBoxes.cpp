#include "ui/MessageBoxes.h"

#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace {
void showPlain(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, kApplicationTitle, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
} // namespace

void ShowInformation(QWidget* parent, const QString& text) {
    showPlain(parent, QMessageBox::Information, text);
}

void ShowWarning(QWidget* parent, const QString& text) {
    showPlain(parent, QMessageBox::Warning, text);
}

// Qt shows an informative text as rich text whenever it looks like markup, and has no setting against it. Escaped
// inside rich text that keeps line breaks and blanks, it shows exactly as the plain text it is.
void SetPlainInformativeText(QMessageBox& box, const QString& text) {
    box.setInformativeText(u"<p style=\"white-space:pre-wrap\">"_s + text.toHtmlEscaped() + u"</p>"_s);
}

#include "testsupport/ShownText.h"

#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>
#include <QTextEdit>

QString ShownText(const QLabel& label) {
    const bool rich =
        label.textFormat() == Qt::RichText || (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text()));
    if (!rich) {
        return label.text();
    }
    QTextDocument document;
    document.setHtml(label.text());
    return document.toPlainText();
}

ShownBoxTexts ShownTexts(const QMessageBox& box) {
    ShownBoxTexts texts;
    if (const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        texts.text = ShownText(*label);
    }
    if (const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        texts.informative = ShownText(*label);
    }
    if (const auto* details = box.findChild<QTextEdit*>()) {
        texts.details = details->toPlainText();
    }
    return texts;
}

#include "ui/NameRowDelegate.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>

namespace {

// The height of one line of text in font, with the fallback fonts that its characters need.
int lineHeight(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1 << 20);
    const qreal height = line.height();
    layout.endLayout();
    return qCeil(height);
}

} // namespace

QSize NameRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // Latin, Chinese and full-width letters with descenders and an underscore: the tallest lines names make.
    static const QString kTallest = QStringLiteral("Ágjpqy_发票照片ｇｊｐｑｙ＿");
    const int margins = size.height() - lineHeight(index.data().toString(), option.font);
    size.setHeight(std::max(size.height(), lineHeight(kTallest, option.font) + std::max(margins, 0)));
    return size;
}

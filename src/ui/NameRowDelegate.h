#pragma once

#include <QStyledItemDelegate>

// Rows of names as high as a line of names in any script needs. The font that draws a row can be a fallback font
// taller than the view's own (a Chinese name on an English desktop); a row measured with the view's font alone would
// cut off the underscores and descenders of such a name. Every row gets the same height, so that a list with uniform
// item sizes, which measures only its first row, fits them all.
class NameRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

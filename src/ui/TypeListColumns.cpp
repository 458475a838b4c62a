#include "ui/TypeListColumns.h"

#include <QEvent>
#include <QListWidget>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace {
constexpr int kColumns = 6;
constexpr int kRows = 2;

int rowHeight(const QListWidget& list) {
    return list.fontMetrics().height() + 2;
}

// The width the list's delegate needs to show the widest entry in full.
int widestEntry(const QListWidget& list) {
    QStyleOptionViewItem option;
    option.initFrom(&list);
    int widest = 0;
    for (int row = 0; row < list.count(); ++row) {
        widest = std::max(widest, list.itemDelegate()->sizeHint(option, list.model()->index(row, 0)).width());
    }
    return widest;
}
} // namespace

TypeListColumns::TypeListColumns(QListWidget& list) : QObject(&list), m_list(list) {
    m_list.setWrapping(true);
    m_list.setFixedHeight(kRows * rowHeight(m_list) + 2 * m_list.frameWidth());
    m_list.viewport()->installEventFilter(this);
    for (auto rowsChanged : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(m_list.model(), rowsChanged, this, &TypeListColumns::spread);
    }
    connect(m_list.model(), &QAbstractItemModel::modelReset, this, &TypeListColumns::spread);
}

bool TypeListColumns::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == m_list.viewport()) {
        spread();
    }
    return QObject::eventFilter(watched, event);
}

void TypeListColumns::spread() {
    const int columnWidth = std::max(m_list.viewport()->width() / kColumns, widestEntry(m_list));
    m_list.setGridSize(QSize(columnWidth, rowHeight(m_list)));
}

#pragma once

#include <QObject>

class QListWidget;

// Lays a list of types out in six columns, row after row, two rows high. A column is never narrower than the widest
// entry, so that no entry is cut short: entries that do not fit make the list scroll. The layout follows the list's
// entries and its width.
class TypeListColumns : public QObject {
public:
    explicit TypeListColumns(QListWidget& list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void spread();

    QListWidget& m_list;
};

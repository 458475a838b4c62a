#include "ui/KeyFilter.h"

#include <QKeyEvent>

bool TypesCharacterOutside(const QKeyEvent& event, QStringView allowed) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    const QString typed = event.text();
    if (typed.isEmpty() || !typed.front().isPrint()) {
        return false;
    }
    for (const QChar c : typed) {
        if (!allowed.contains(c)) {
            return true;
        }
    }
    return false;
}

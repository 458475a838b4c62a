#pragma once

#include <QStringView>

class QKeyEvent;

// True when event types a character that is not in allowed, so a number field's key filter swallows it. Editing
// keys (Backspace, Delete, arrows, Home, End, Tab, Enter) and shortcuts (Ctrl+V, Ctrl+A ...) are never swallowed;
// pasted text does not come through key events and is not filtered.
bool TypesCharacterOutside(const QKeyEvent& event, QStringView allowed);

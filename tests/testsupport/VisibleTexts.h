#pragma once

#include <QStringList>

class QWidget;

// Every text that a window shows or can show to its user, each with where it is ("Button1: text", "PageControl1:
// tab 2"): the window's title and, for the window and every widget and action in it, shown or not, the text,
// title, tooltip, status tip and "What's this" help, the tab captions and their tooltips, the items of lists and
// drop-down lists, the headers and items of tables and trees, the placeholder and the text of a text box, and a message
// box's informative and detailed texts. Walk any window with it: main windows, dialogs and message boxes alike.
QStringList VisibleTexts(const QWidget& window);

// The entries of texts that hold a Chinese, Japanese or Korean character (ideographs, kana, hangul, and the
// full-width forms and punctuation that such texts use).
QStringList WithCjkCharacters(const QStringList& texts);

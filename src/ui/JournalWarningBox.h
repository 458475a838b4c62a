#pragma once

#include <QByteArray>

class QWidget;

// The warning that the journal folder cannot be written, naming it (as plain text), with the choice to sort without
// a journal (and so without undo) or to stop. True to go on.
bool AskToRunWithoutJournal(QWidget* parent, const QByteArray& folder);

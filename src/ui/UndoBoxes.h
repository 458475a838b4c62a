#pragma once

#include "journal/History.h"

#include <QString>
#include <QStringList>

class QWidget;

// Undoing a journaled run from the window: the question that names the run, the undo itself, and the box that
// tells what came of it. True when the undo went through the journal (whatever it had to leave), false when the
// user said No or the run could not be undone at all.
// pageNames: the criterion pages' names in page order, as the main window shows them.
bool AskAndUndo(QWidget* parent, const JournalFolder& folder, const RunSummary& run, const QStringList& pageNames);

// The run as the window names it: its start in local time, page, copy or move and file count.
QString DescribeRun(const RunSummary& run, const QString& pageName);

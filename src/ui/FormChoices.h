#pragma once

#include "engine/placement/Placement.h"

#include <QStringList>

namespace Ui {
class TForm1;
}

// Choices of the main window that both the sort run and the settings file read, each read in one place.

// The policy of the checked same-name button: RbOverwrite, RbAsk, RbSkip or RbRename.
SameNamePolicy CheckedSameNamePolicy(const Ui::TForm1& ui);
// Checks the same-name button of policy.
void CheckSameNamePolicy(Ui::TForm1& ui, SameNamePolicy policy);

// The entries of the type list ListBox2, top to bottom.
QStringList TypeListEntries(const Ui::TForm1& ui);

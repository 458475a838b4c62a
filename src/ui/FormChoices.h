#pragma once

#include "engine/Placement.h"

#include <QStringList>

namespace Ui {
class MainWindow;
}

// Choices of the main window that both the sort run and the settings file read, each read in one place.

// The policy of the checked same-name button: RbOverwrite, RbAsk, RbSkip or RbRename.
SameNamePolicy CheckedSameNamePolicy(const Ui::MainWindow& ui);
// Checks the same-name button of policy.
void CheckSameNamePolicy(Ui::MainWindow& ui, SameNamePolicy policy);

// The entries of the type list ListBox2, top to bottom.
QStringList TypeListEntries(const Ui::MainWindow& ui);

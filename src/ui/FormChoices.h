#pragma once

#include "engine/placement/Placement.h"

#include <QStringList>

struct SortChoiceControls;

// Choices of the main window that both the sort run and the settings file read, each read in one place.

// The policy of the checked same-name button: RbOverwrite, RbAsk, RbSkip or RbRename.
SameNamePolicy CheckedSameNamePolicy(const SortChoiceControls& choices);
// Checks the same-name button of policy.
void CheckSameNamePolicy(const SortChoiceControls& choices, SameNamePolicy policy);

// The entries of the type list ListBox2, top to bottom.
QStringList TypeListEntries(const SortChoiceControls& choices);

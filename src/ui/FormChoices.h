#pragma once

#include "engine/criteria/PageFields.h"
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

// The time of the checked button of the date page: RbCreateTime, RbModifyTime or RbTakenTime.
DateKind CheckedDateKind(const SortChoiceControls& choices);

// The date pattern of CmbDatePattern: the pattern an item stands for when its text is an item's (年/月 stands for
// %Y/%m), otherwise the text as typed.
QString ChosenDatePattern(const SortChoiceControls& choices);
// Shows pattern in CmbDatePattern: the item that stands for it, or the pattern as text.
void ShowDatePattern(const SortChoiceControls& choices, const QString& pattern);

// The time of the checked button of the folders-by-date page: RbFolderTaken, RbFolderModify or RbFolderCreate.
DateSource CheckedDateSource(const SortChoiceControls& choices);
// Checks the button of source.
void CheckDateSource(const SortChoiceControls& choices, DateSource source);

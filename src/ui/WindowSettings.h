#pragma once

#include "engine/criteria/PageFields.h"
#include "engine/placement/Placement.h"
#include "settings/SettingsValues.h"

struct SortChoiceControls;

// The main window's choices that the settings file keeps, between the controls and SettingsValues.

// Puts values into the controls, one key after the other in the order the window has always applied them at start.
// A page of -1 keeps the page shown, an empty date or time keeps the picker's value, and the type list is replaced.
void ApplySettings(const SortChoiceControls& choices, const SettingsValues& values);

// The choices as the controls show them now.
SettingsValues CurrentSettings(const SortChoiceControls& choices);

// The SameFile value of a policy (0 skip, 1 overwrite, 2 ask, 3 auto-number), and the policy of a value; any other
// value stands for skip.
int StoredSameNamePolicy(SameNamePolicy policy);
SameNamePolicy SameNamePolicyFromStored(int stored);

// The date source of a DateSource value (0 taken, 1 modified, 2 created); any other value stands for taken. The
// stored value of a source is its number in that order.
DateSource DateSourceFromStored(int stored);

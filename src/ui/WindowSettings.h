#pragma once

#include "settings/SettingsValues.h"

struct SortChoiceControls;

// The main window's choices that the settings file keeps, between the controls and SettingsValues.

// Puts values into the controls, one key after the other in the order the window has always applied them at start.
// A page of -1 keeps the page shown, an empty date or time keeps the picker's value, and the type list is replaced.
void ApplySettings(const SortChoiceControls& choices, const SettingsValues& values);

// The choices as the controls show them now.
SettingsValues CurrentSettings(const SortChoiceControls& choices);

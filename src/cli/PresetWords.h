#pragma once

#include "presets/PresetStore.h"

#include <QString>

// The saved sorts' failures in the command line's words.

// What a name of a saved sort must be.
QString PresetNameRules();

// One message, without a line break but those between the names it lists, for the failure error of what (the option
// or command that named it) with the saved sort name: an unknown name lists the saved sorts there are.
QString PresetErrorText(const QString& what, const QString& name, const PresetError& error);

#pragma once

#include "settings/SettingsValues.h"

// Every member of values as "Key=value" in the order of the settings file, for QCOMPARE to show when two differ.
char* toString(const SettingsValues& values);

#pragma once

#include "core/FsError.h"
#include "settings/SettingsValues.h"

#include <QLocale>
#include <QString>

// The settings file Varnoth.ini in the user's configuration folder: $XDG_CONFIG_HOME, normally ~/.config.
QString SettingsFilePath();

// Reads the settings. A missing or unreadable file, a missing key and a value that does not convert all give the
// key's default, without a message. A missing output folder loads as defaultOutputFolder with "/" added.
SettingsValues LoadSettings(const QString& defaultOutputFolder, const QString& filePath = SettingsFilePath(),
                            const QLocale& locale = QLocale::system());

// Writes all keys in one atomic rewrite of the file, keeping every other line of it (see WriteIniFile). A file that
// exists but cannot be read is left alone rather than replaced, so that its other lines are not lost: the read's
// failure is returned then.
Fs::Error SaveSettings(const SettingsValues& values, const QString& filePath = SettingsFilePath(),
                       const QLocale& locale = QLocale::system());

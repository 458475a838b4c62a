#pragma once

#include "core/FsError.h"
#include "engine/RunInputs.h"
#include "presets/PresetKeys.h"
#include "presets/PresetName.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>

#include <variant>

// The saved sorts: one profile file each, NAME.ini in the folder Varnoth/presets of the user's configuration folder
// ($XDG_CONFIG_HOME, normally ~/.config). The window and the command line load, save, list and delete them here.

// The folder of the saved sorts.
QString PresetsFolder();

// The path of the file of the saved sort name (a name that passed CheckPresetName) in folder.
QString PresetFilePath(const QString& name, const QString& folder = PresetsFolder());

// Why a saved sort could not be loaded, saved or deleted. Each interface words it in its own language.
struct PresetError {
    enum class Kind {
        BadName,  // nameFault says what is wrong with the name
        NotFound, // no saved sort of that name
        File,     // the file could not be read, written or deleted: fileError
        Key,      // keyFault names the key
    };
    Kind kind = Kind::NotFound;
    PresetNameFault nameFault = PresetNameFault::Empty;
    Fs::Error fileError;
    PresetKeyFault keyFault;
};

// The run's inputs that the saved sort name holds: the page and its fields, the filters, the output folder, copy or
// move and the same-name options. A value that cannot be read refuses the whole saved sort.
std::variant<RunInputs, PresetError> LoadPreset(const QString& name, const QString& folder = PresetsFolder());

// Saves inputs as the saved sort name, replacing one of that name in one atomic replacement, and making the folder
// when it is missing. Lines of an existing file that are no keys of a saved sort are kept. Nothing is written when a
// value cannot be kept.
std::optional<PresetError> SavePreset(const QString& name, const RunInputs& inputs,
                                      const QString& folder = PresetsFolder());

// The folders the saved sort name watches (its WatchFolders key; none when it has no such key).
std::variant<QByteArrayList, PresetError> LoadWatchFolders(const QString& name,
                                                           const QString& folder = PresetsFolder());

// Sets the folders the saved sort name watches, in one atomic replacement of its file, keeping every other line.
std::optional<PresetError> SaveWatchFolders(const QString& name, const QByteArrayList& folders,
                                            const QString& folder = PresetsFolder());

// Deletes the saved sort name.
std::optional<PresetError> DeletePreset(const QString& name, const QString& folder = PresetsFolder());

// Whether a saved sort of that name exists.
bool PresetExists(const QString& name, const QString& folder = PresetsFolder());

// The names of the saved sorts in folder, sorted by their characters; files whose names no saved sort has are left out.
QStringList PresetNames(const QString& folder = PresetsFolder());

#pragma once

#include "cli/SortRequest.h"

#include <optional>

// "varnoth presets": one line per saved sort, its name, criterion and output folder separated by tabs, names and
// folders escaped (EscapedText). Returns the exit status.
int RunPresetsCommand();

// --save-preset: saves the request's inputs under the name it gives. The exit status when the sort must not go on:
// 0 when there is nothing to sort after the save, 1 when the file could not be written, 2 when the inputs cannot
// be kept; nothing when the sort goes on.
std::optional<int> SaveRequestedPreset(const SortRequest& request);

// watch --save: keeps folders, each made absolute without resolving links, as the folders the saved sort name
// watches. Returns the exit status: 0 saved, 1 the file could not be written, 2 no such saved sort or a folder that
// cannot be made absolute.
int SaveWatchedFolders(const QString& name, const QByteArrayList& folders);

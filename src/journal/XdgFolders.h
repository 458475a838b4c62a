#pragma once

#include "core/FsError.h"

#include <QByteArray>
#include <QByteArrayView>

// The user's base folders that desktop programs share ($XDG_… variables), as file-system bytes. A variable
// that is unset, empty or relative is ignored in favour of the default under the home folder.

// $HOME, or the home folder of the user's account entry when HOME is unset or relative.
QByteArray HomeFolder();
// $XDG_STATE_HOME, default ~/.local/state.
QByteArray StateHome();
// $XDG_DATA_HOME, default ~/.local/share.
QByteArray DataHome();

// Makes path and every missing folder above it, each new one private to the user (mode 0700), as
// desktop programs keep them. Fails with MakeFolder when a level cannot be made (the errno of its mkdir or of the
// look at it) or is not a folder (ENOTDIR).
Fs::Error MakePrivateFolders(const QByteArray& path);

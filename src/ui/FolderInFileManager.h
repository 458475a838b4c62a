#pragma once

#include <QByteArray>

class QWidget;

// Opens folder in the user's file manager. Where the desktop has none to open it with, a box says so and shows the
// folder's path, which the user can select and copy.
void OpenFolderInFileManager(QWidget* parent, const QByteArray& folder);

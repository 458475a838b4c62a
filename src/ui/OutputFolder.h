#pragma once

#include <QString>

// The output folder where none is saved, the saved one is empty, or it no longer exists: ~/Varnoth, without its final
// "/". It need not exist: a run makes it when it first places a file there.
QString DefaultOutputFolder();

// Where the output-folder chooser opens: the folder that the output-folder field names, or else the nearest folder
// above it that exists, or else the home folder.
QString ChooserStartFolder(const QString& outputFolderText);

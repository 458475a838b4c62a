#pragma once

#include "core/FsError.h"

#include <QString>

// What the window was doing with a file when it failed.
enum class FileTask {
    ExportList,   // writing a list file
    ImportList,   // reading a list file
    SaveSettings, // writing the settings file
    ReadPreset,   // reading a saved sort
    WritePreset,  // writing or deleting a saved sort
};

// The message that tells the user which file could not be written or read, and why. The reason is the system's
// description of the errno value, in the user's language where the system has one.
QString FileErrorMessage(FileTask task, const QString& fileName, const Fs::Error& error);

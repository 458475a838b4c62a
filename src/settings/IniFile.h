#pragma once

#include "core/FsError.h"
#include "settings/IniDocument.h"

#include <QString>

// Reading and writing a whole profile file. The path comes from QStandardPaths as text, so it stays a QString.

// Reads the profile file at path into document. A missing file is no error: it reads as a document without any
// keys. Only a regular file is read (Fs::ReadRegularFile); document is left as it was on failure.
Fs::Error ReadIniFile(const QString& path, IniDocument& document);

// Writes document to path, making the folder when it is missing, in one atomic replacement (Fs::ReplaceFileContent):
// a crash or a full disk never leaves half a file. A symbolic link stays a link and its target gets the new content;
// the permissions of an existing file are kept, and a write-protected one is not replaced. A folder that cannot be
// made shows as the failure to create the temporary file (CreateTemporary).
Fs::Error WriteIniFile(const QString& path, const IniDocument& document);

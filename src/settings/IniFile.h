#pragma once

#include "core/FsError.h"
#include "settings/IniDocument.h"

#include <QString>

// Reading and writing a whole profile file. The path comes from QStandardPaths as text, so it stays a QString.

// The longest profile file that is read: the program's own file is a few hundred bytes, so anything near this size
// was not written by it, and reading it could exhaust memory (a link to a huge or endless file).
constexpr qint64 kLongestIniFile = 1 << 20;

// Reads the profile file at path into document. A missing file is no error: it reads as a document without any
// keys. Only a regular file of at most kLongestIniFile bytes is read (Fs::RegularFile: opening never waits on a FIFO
// or device); anything else fails with CheckSource, a larger file with EFBIG. document is left as it was on failure.
Fs::Error ReadIniFile(const QString& path, IniDocument& document);

// Writes document to path, making the folder when it is missing, in one atomic replacement (Fs::ReplaceFileContent):
// a crash or a full disk never leaves half a file. A symbolic link stays a link and its target gets the new content;
// the permissions of an existing file are kept, and a write-protected one is not replaced. A folder that cannot be
// made shows as the failure to create the temporary file (CreateTemporary).
Fs::Error WriteIniFile(const QString& path, const IniDocument& document);

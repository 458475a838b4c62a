#pragma once

#include "settings/IniDocument.h"

#include <QString>

// Reading and writing a whole profile file. The path comes from QStandardPaths as text, so it stays a QString.

struct IniReadResult {
    IniDocument document; // empty when the file is missing or cannot be read
    QString error;        // empty, or why a file that exists could not be read
};

// Reads the profile file at path. A missing file is no error: it reads as a document without any keys.
IniReadResult ReadIniFile(const QString& path);

// Writes document to path, making the folder when it is missing. The file is replaced atomically: the bytes go to a
// temporary file in the same folder, which takes the file's name only when complete, so a crash or a full disk
// never leaves half a file. A symbolic link stays a link and its target gets the new content; the permissions of an
// existing file are kept. Returns an empty text on success, otherwise the reason.
QString WriteIniFile(const QString& path, const IniDocument& document);

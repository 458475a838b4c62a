#pragma once

#include "core/FsError.h"

#include <QByteArray>
#include <QByteArrayList>

class FileListModel;

// List files ("*.lst"): one path per line, each line ending in CR LF, the path bytes exactly as the file list holds
// them, no byte-order mark and no header.

// The bytes of a list file holding paths.
QByteArray ListFileText(const QByteArrayList& paths);

// The lines of a list file's text. A line ends at CR LF, at a lone CR or at a lone LF; a NUL byte ends the text.
// Lines are taken exactly as they stand, blank ones included; text after the last line end is a line of its own.
QByteArrayList SplitListFileLines(const QByteArray& text);

// The paths that name an existing file or an existing folder (following symbolic links), in their order; blank
// lines and missing paths drop out.
QByteArrayList KeepExistingPaths(const QByteArrayList& paths);

// Writes paths to the list file at fileName, replacing an existing file in one atomic replacement
// (Fs::ReplaceFileContent): a failure never leaves half a list under that name and an existing file stays as it
// was. An existing file without any write permission bit counts as write-protected and is not replaced, even for
// root.
Fs::Error WriteListFile(const QByteArray& fileName, const QByteArrayList& paths);

// Reads the whole list file at fileName into lines (see SplitListFileLines). Only a regular file is read
// (Fs::ReadRegularFile); lines are left as they were on failure.
Fs::Error ReadListFile(const QByteArray& fileName, QByteArrayList& lines);

// Export: writes every entry of the file list, in list order.
Fs::Error ExportListFile(const QByteArray& fileName, const FileListModel& fileList);

// Import: reads the list file and appends, in file order and without duplicates, the lines that name an existing
// file or folder. The file list is left unchanged when the file cannot be read.
Fs::Error ImportListFile(const QByteArray& fileName, FileListModel& fileList);

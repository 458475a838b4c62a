#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

class FileListModel;

// List files ("*.lst"): one path per line, each line ending in CR LF, the path bytes exactly as the file list holds
// them, no byte-order mark and no header.

// Why a list file could not be written or read: the errno value of the failing step, 0 when all went well.
struct ListFileError {
    int code = 0;

    bool failed() const { return code != 0; }
    // The system's description of the failure, for the message that names the file.
    QString reason() const;
};

// The bytes of a list file holding paths.
QByteArray ListFileText(const QByteArrayList& paths);

// The lines of a list file's text. A line ends at CR LF, at a lone CR or at a lone LF; a NUL byte ends the text.
// Lines are taken exactly as they stand, blank ones included; text after the last line end is a line of its own.
QByteArrayList SplitListFileLines(const QByteArray& text);

// The paths that name an existing file or an existing folder (following symbolic links), in their order; blank
// lines and missing paths drop out.
QByteArrayList KeepExistingPaths(const QByteArrayList& paths);

// Writes paths to the list file at fileName, replacing an existing file. The text goes to a temporary file in the
// same folder, which takes the name only when it is complete, so a failure never leaves half a list under that
// name and an existing file stays as it was. An existing file without any write permission bit counts as
// write-protected and is not replaced, even for root.
ListFileError WriteListFile(const QByteArray& fileName, const QByteArrayList& paths);

// Reads the whole list file at fileName into lines (see SplitListFileLines). Only a regular file is read.
ListFileError ReadListFile(const QByteArray& fileName, QByteArrayList& lines);

// Export: writes every entry of the file list, in list order.
ListFileError ExportListFile(const QByteArray& fileName, const FileListModel& fileList);

// Import: reads the list file and appends, in file order and without duplicates, the lines that name an existing
// file or folder. The file list is left unchanged when the file cannot be read.
ListFileError ImportListFile(const QByteArray& fileName, FileListModel& fileList);

#pragma once

#include "core/FsError.h"
#include "filelist/ScanHost.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <functional>

class FileListModel;

// List files ("*.lst"): one path per line, each line ending in CR LF, the path bytes exactly as the file list holds
// them, no byte-order mark and no header.

// What an export writes: the text of the list file, and the entries it leaves out because they hold a line break
// (CR or LF). Written, such an entry would become two lines, and on import the second could name an unrelated file.
struct ListFileContent {
    QByteArray text;
    qsizetype leftOut = 0;
    QByteArray firstLeftOut; // the first entry left out, in list order
};
ListFileContent ListFileContentOf(const QByteArrayList& paths);

// How an export went: the file system's answer, and the entries left out (see ListFileContent).
struct ListFileExport {
    Fs::Error error;
    qsizetype leftOut = 0;
    QByteArray firstLeftOut;
};

// Writes paths to the list file at fileName, replacing an existing file in one atomic replacement
// (Fs::ReplaceFileContent): a failure never leaves half a list under that name and an existing file stays as it
// was. An existing file without any write permission bit counts as write-protected and is not replaced, even for
// root.
ListFileExport WriteListFile(const QByteArray& fileName, const QByteArrayList& paths);

// Export: writes every entry of the file list that can stand on a line, in list order.
ListFileExport ExportListFile(const QByteArray& fileName, const FileListModel& fileList);

// The lines of a list file's text (see ListFileLines).
QByteArrayList SplitListFileLines(QByteArrayView text);

// Reads the list file at fileName piece by piece and calls line for each of its lines (see ListFileLines) until it
// returns false. Only a regular file is read (Fs::RegularFile), so nothing ever waits on a FIFO or device.
Fs::Error ReadListFile(const QByteArray& fileName, const std::function<bool(QByteArrayView line)>& line);

// Import: reads the list file and appends, in file order and without duplicates, the lines that are absolute paths
// of an existing file or folder; blank lines, relative paths, missing paths and our own temporary files are
// skipped. Memory grows only with the entries added, and the window stays responsive through host; when it asks
// to stop, what was read so far stays added. The file list is left unchanged when the file cannot be opened.
Fs::Error ImportListFile(const QByteArray& fileName, FileListModel& fileList, ScanHost& host);

#pragma once

#include "core/FsResult.h"
#include "filelist/FolderScan.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>

#include <optional>

class FileListModel;
struct SortInputSources;

// The working folder as the kernel names it; OpenSource with the errno of getcwd when it cannot be found (it was
// removed: ENOENT).
Fs::Result<QByteArray> WorkingFolder();

// path made absolute by putting workingFolder before it when it is relative. Links are not resolved, so the path
// still names what the user named; only leading "./" pieces are dropped ("find ." writes them).
QByteArray AbsolutePath(const QByteArray& path, const QByteArray& workingFolder);
// The same with the working folder of now; nothing when it cannot be found.
std::optional<QByteArray> AbsolutePath(const QByteArray& path);

// What adding inputs found besides the files it added.
struct AddedInputs {
    std::optional<QString> error;              // the input that cannot be read at all, in one line: nothing may run
    QByteArrayList missing;                    // named paths that name nothing: they add nothing
    QList<UnreadableFolder> unreadableFolders; // folders that could not be read, whole or in part: left out
    bool anyRead = false;                      // a file was named, or a folder or a list file was read
};

// Adds paths named by the user, each made absolute: a file is added, a folder adds the files in it (one level),
// both through the file list's uniqueness rule.
AddedInputs AddNamedPaths(const QByteArrayList& paths, FileListModel& fileList);

// Adds the inputs of a sort in their order: the PATH arguments, each list file, each scanned folder, then standard
// input. The error names the first input that cannot be read (a path that names nothing, a list file, standard
// input, a --scan argument that is no folder); what was added before it stays in fileList. Folders that cannot be
// read are no error: they are left out and named.
AddedInputs AddSortInputs(const SortInputSources& sources, FileListModel& fileList);

// The line that names a folder that could not be read, for standard error.
QString UnreadableFolderLine(const UnreadableFolder& folder);

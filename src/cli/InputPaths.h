#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <optional>

class FileListModel;
struct SortInputSources;

// The working folder as the kernel names it, or nothing when it cannot be found (it was removed).
std::optional<QByteArray> WorkingFolder();

// path made absolute by putting workingFolder before it when it is relative. Links are not resolved, so the path
// still names what the user named; only leading "./" pieces are dropped ("find ." writes them).
QByteArray AbsolutePath(const QByteArray& path, const QByteArray& workingFolder);
// The same with the working folder of now; nothing when it cannot be found.
std::optional<QByteArray> AbsolutePath(const QByteArray& path);

// Adds paths named by the user, each made absolute: a file is added, a folder adds the files in it (one level),
// both through the file list's uniqueness rule. Returns the paths that name nothing; they add nothing.
QByteArrayList AddNamedPaths(const QByteArrayList& paths, FileListModel& fileList);

// Adds the inputs of a sort in their order: the PATH arguments, each list file, each scanned folder, then standard
// input. Returns one line naming the first input that cannot be read (a path that names nothing, a list file or
// folder that cannot be read); what was added before it stays in fileList.
std::optional<QString> AddSortInputs(const SortInputSources& sources, FileListModel& fileList);

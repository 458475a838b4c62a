#pragma once

#include <QByteArrayList>

#include <optional>

class FileListModel;

// The program's arguments after its name, as the exact bytes given.
QByteArrayList ProgramArguments(int argc, char** argv);

// The paths to open the window with, or nothing when the arguments are for the command line: a subcommand (sort,
// history, undo) first, or an option anywhere before a "--". A first "--" ends the options and is not a path.
std::optional<QByteArrayList> WindowPathArguments(const QByteArrayList& arguments);

// The paths to open the window with (WindowPathArguments), or nothing when the command line answers instead: also
// when the first argument is neither a command nor the name of anything on the disk (a mistyped command), and when
// there is no display to open the window on.
std::optional<QByteArrayList> WindowToOpen(const QByteArrayList& arguments);

// Adds the window's PATH arguments to its file list as "sort" adds them; a path that names nothing, and a folder
// that cannot be read, is reported on standard error and left out.
void AddWindowPaths(const QByteArrayList& paths, FileListModel& fileList);

// Runs "varnoth sort", "history", "undo", "presets", "--help" or "--version" (a QCoreApplication must exist), or says
// why the arguments that WindowToOpen turned away cannot open the window, and returns the exit status: 0 done, 1 a file
// failed (or undo left something), 2 wrong arguments or unreadable input (nothing touched; for undo, no such run or
// nothing to undo), 128 + N ended by signal N.
int RunCommandLine(const QByteArrayList& arguments);

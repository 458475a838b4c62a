#pragma once

namespace Fs {

// Removes from the open folder folder (never looked up by its path) the temporary files that a process of this program
// left behind when it ended before naming them (a crash, a kill, a power cut on a file system without unnamed files).
// Only regular files of our own name shape (see FsTemporaryNames.h) whose process no longer runs and which belong to
// this process's user are removed; whatever cannot be examined is left alone.
void RemoveLeftoverTemporaryFiles(int folder);

} // namespace Fs

#pragma once

#include <QByteArray>

#include <sys/stat.h>

// Writing a file that takes its name only once it is complete: its content goes to a temporary file beside it,
// which is then renamed onto the name. Shared by the copy of sorted files and by the writing of list files.

// Creates a new, empty file with a short hidden unique name in the folder of target, with the permission bits mode
// (less the umask). Returns its descriptor and sets path, or returns -1 with errno set.
int CreateTemporaryBeside(const QByteArray& target, mode_t mode, QByteArray& path);

// Why an existing file must not be replaced: EISDIR for a folder, EACCES for a file without any write permission
// bit (write-protected, even for root); 0 when it may be replaced.
int ReplacementRefusal(const struct stat& existing);

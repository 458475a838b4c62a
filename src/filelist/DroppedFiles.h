#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Files dropped from a file manager arrive as a text/uri-list: one file:// address per line, the path
// percent-encoded. Decoding the addresses ourselves keeps the path bytes exactly, also for names that are not
// valid UTF-8, which a decoded QUrl would lose.

// The local paths of the file:// addresses in uriList, in their order; comment lines, other schemes, addresses on
// other hosts, malformed percent escapes and paths that would hold a NUL byte (%00) are left out. Every path is
// absolute.
QByteArrayList LocalPathsFromUriList(const QByteArray& uriList);

// The paths that name an existing file (following symbolic links); folders, missing paths and our own temporary
// files drop out.
QByteArrayList KeepExistingFiles(const QByteArrayList& paths);

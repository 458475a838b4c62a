#pragma once

#include <QByteArray>
#include <QString>

// The file-system bytes of an absolute path that Qt gives as text (a folder chosen in a folder tree). Qt shows a
// name that is not valid UTF-8 with replacement characters, which do not lead back to the file; such a part of the
// path is found again among the names its folder really holds. A path that cannot be matched comes back encoded as
// it is, and so names nothing.
QByteArray PathBytesOf(const QString& path);

#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Parts of a path, on its bytes. The file name is what follows the last '/'. The extension runs from the file
// name's last '.' to its end, dot included, letter case unchanged, and is empty when the name has no '.'. The stem
// is what comes before the extension: a.tar.gz has the stem a.tar and the extension .gz, .profile has an empty stem.

QByteArray FileNameOf(const QByteArray& path);
QByteArray StemOf(const QByteArray& fileName);
QByteArray ExtensionOf(const QByteArray& fileName);

// What comes before the last '/' of path: "/" for a name in the root folder, "." for a path without any '/'.
QByteArray FolderOf(const QByteArray& path);

// folder + '/' + name, the way destination paths are formed (a folder ending in '/' gives "//", which the file
// system reads as one separator).
QByteArray JoinPath(const QByteArray& folder, const QByteArray& name);

// The longest folder, ending in '/', that holds both paths: the bytes they share up to and including the last '/'
// among them. Empty when they share no '/'. A path shared with itself gives its folder.
QByteArray SharedFolder(const QByteArray& a, const QByteArray& b);

// path as seen from folder (which ends in '/'): what follows folder, without the '/' and "./" that lead it. path
// itself when it does not lie below folder, or when folder is empty or the root folder.
QByteArray PathBelow(const QByteArray& folder, const QByteArray& path);

// Each folder from the top down to folder itself, spelled without empty or "." components: "/a//b/./c" gives
// "/a", "/a/b", "/a/b/c".
QByteArrayList FolderLevels(const QByteArray& folder);

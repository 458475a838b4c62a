#pragma once

#include "core/FsRegularFile.h"

#include <QByteArray>

// True when the regular files at a and b hold the same bytes. The sizes are compared first, so that files of
// different sizes are told apart without reading them; false when either cannot be read.
bool SameContent(const QByteArray& a, const QByteArray& b);
// The same for two files open for reading from their start.
bool SameContent(const Fs::RegularFile& a, const Fs::RegularFile& b);

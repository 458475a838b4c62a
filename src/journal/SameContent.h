#pragma once

#include <QByteArray>

// True when the regular files at a and b hold the same bytes. The sizes are compared first, so that files of
// different sizes are told apart without reading them; false when either cannot be read.
bool SameContent(const QByteArray& a, const QByteArray& b);

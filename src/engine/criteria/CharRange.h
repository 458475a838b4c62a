#pragma once

#include <QByteArray>

// The count characters of text from position start (1 = the first), positions counting the UTF-16 code units of
// the text's UTF-8. A start below 1 counts from the first position; a negative count takes nothing; the range ends
// at the end of the text at the latest. The result is taken from text's own bytes, so it never changes a byte:
// - a character outside the Basic Multilingual Plane fills two positions and is taken whole when the range holds
//   either of them, so a range never splits it into an unpaired half;
// - a byte that does not begin a valid UTF-8 sequence fills one position and is kept as it is.
QByteArray CopyCharRange(const QByteArray& text, qint64 start, qint64 count);

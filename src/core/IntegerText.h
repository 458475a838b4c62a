#pragma once

#include <QString>

#include <optional>

// Whole numbers typed into number fields. The fields filter typed keys, but pasted text reaches them unfiltered,
// so every number is parsed again when a run starts.

// The number in text, or nothing. Leading spaces (the space character only) may come first, then at most one "+"
// or "-", then decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X". Nothing may follow the
// digits, a trailing blank included, and the value must lie within minimum..maximum.
std::optional<qint64> ParseIntegerField(const QString& text, qint64 minimum, qint64 maximum);

// A character position: decimal digits with an optional sign and nothing else, in the 32-bit signed range.
std::optional<int> ParseDecimalPosition(const QString& text);

#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Values that hold any bytes on one line of a text file: every byte up to 0x20 (blanks, tabs, line breaks), 0x7F,
// '%' and each byte of alsoEscaped is written %XX (two upper-case hex digits); every other byte as itself, so that
// UTF-8 stays readable and a name that is not valid UTF-8 comes back byte for byte.
QByteArray PercentEscaped(QByteArrayView value, QByteArrayView alsoEscaped = {});
// Appends the escaped form of value to text: the runs of bytes that stand as themselves go in whole, so that a
// journal line of long paths costs a few copies rather than one append per byte.
void AppendPercentEscaped(QByteArray& text, QByteArrayView value, QByteArrayView alsoEscaped = {});

// The value of an escaped text, or nothing for a malformed escape or a byte that should have been escaped.
std::optional<QByteArray> PercentUnescaped(QByteArrayView escaped);

#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Values that hold any bytes on one line of a text file: every byte up to 0x20 (blanks, tabs, line breaks), 0x7F,
// '%' and each byte of alsoEscaped is written %XX (two upper-case hex digits); every other byte as itself, so that
// UTF-8 stays readable and a name that is not valid UTF-8 comes back byte for byte.
QByteArray PercentEscaped(QByteArrayView value, QByteArrayView alsoEscaped = {});

// The value of an escaped text, or nothing for a malformed escape or a byte that should have been escaped.
std::optional<QByteArray> PercentUnescaped(QByteArrayView escaped);

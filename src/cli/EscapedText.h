#pragma once

#include <QByteArray>

// A name as it may be written into a line of text output: control characters (C0, DEL and the C1 range) become
// \n, \r, \t or \xNN, a byte that is not part of valid UTF-8 becomes \xNN, and a backslash is doubled, so that a
// hostile name can neither forge a line nor pass for another name. Everything else is left as it is.
QByteArray EscapedText(const QByteArray& bytes);

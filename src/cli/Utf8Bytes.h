#pragma once

#include <QByteArrayView>

// Names reach the command line as bytes that need not be valid UTF-8. These helpers walk such bytes one UTF-8
// sequence at a time.

// The length of the well-formed UTF-8 sequence that starts at bytes[at] (1 to 4), or 0 when the byte there does not
// start one: a stray continuation byte, a cut-off or overlong sequence, a surrogate or a code point past U+10FFFF.
int Utf8SequenceLength(QByteArrayView bytes, qsizetype at);

// True when every byte belongs to a well-formed UTF-8 sequence.
bool IsValidUtf8(QByteArrayView bytes);

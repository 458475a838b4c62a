#pragma once

#include <QByteArray>
#include <QString>

// Byte-level text helpers. Paths and keywords are kept as the bytes the file system gave (UTF-8 in practice,
// but not always valid), so these work on bytes where the text may not be valid UTF-8.

// A copy of text with the bytes a to z replaced by A to Z and every other byte unchanged.
QByteArray FoldAsciiUpper(const QByteArray& text);

// text without its leading and trailing characters whose codes are 0x20 or less (blanks and control characters).
QString TrimBlanksAndControls(const QString& text);
QByteArray TrimBlanksAndControls(const QByteArray& text);

// Equality ignoring letter case: on the decoded text when both sides are valid UTF-8, otherwise on the bytes with
// ASCII letters folded.
bool EqualIgnoringCase(const QByteArray& a, const QByteArray& b);

// A key that is equal for two byte strings exactly when EqualIgnoringCase holds for them, for hash lookups.
QByteArray CaseFoldKey(QByteArrayView bytes);

// The text a user sees for bytes that name a file: invalid UTF-8 shows as replacement characters.
QString DisplayText(const QByteArray& bytes);

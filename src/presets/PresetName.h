#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The name of a saved sort, and the file name that holds it.

// The longest name, in UTF-8 bytes.
inline constexpr qsizetype kLongestPresetName = 200;

// Why a name cannot name a saved sort.
enum class PresetNameFault {
    Empty,
    TooLong,       // more than kLongestPresetName bytes, or a file name longer than the file system allows
    ForbiddenChar, // '/', NUL or a line break
};

// What is wrong with name, nothing when it may name a saved sort.
std::optional<PresetNameFault> CheckPresetName(const QString& name);

// The file name of a saved sort: the name's UTF-8 bytes with '%', '/', every byte up to 0x20 and a leading '.'
// written as %XX (two capital hexadecimal digits), then ".ini". The name must have passed CheckPresetName.
QByteArray PresetFileName(const QString& name);

// The name a file name holds, nothing when fileName is not the file name of a valid name as PresetFileName writes
// it (so a stray file in the folder is never taken for a saved sort).
std::optional<QString> PresetNameOfFile(const QByteArray& fileName);

#pragma once

#include "engine/RunInputs.h"

#include <QByteArray>

#include <optional>
#include <variant>

class IniDocument;

// The keys of a saved sort in section [Parameter]: those the settings file uses for the same fields (Page, EdtKeys,
// Filter, CmbCondition, CmbUnit, FileSize, FileAttr, TakenTime, CmbFileDate, DTDate, DTTime, PicSize, CmbPic,
// PicSizeValue, DatePattern, DateSource, SuffixFilter, OutDir, SameFile, SkipIdentical), and those it has no field
// for: Move, FilterMode (0 none, 1 include, 2 exclude), OnlyMatchDir, NamePart, NamePartBegin, NamePartEnd and
// PictureTypes (the ticked items of the picture-type list, each followed by "|"). Dates and times are written
// yyyy-MM-dd and HH:mm:ss in every locale, and OutDir keeps its value whether the folder exists or not.

// A key that a saved sort cannot hold or give back.
struct PresetKeyFault {
    enum class Kind {
        Missing,    // the file has no such key
        Unreadable, // the value is not one the key can have
        Unkeepable, // the value would not read back as it is (blanks at its ends, a line break)
    };
    QByteArray key;
    Kind kind = Kind::Unreadable;
    QByteArray value; // the value as the file holds it (Unreadable)
};

// The run's inputs that document holds, or the first key that is missing or unreadable. No value falls back to a
// default.
std::variant<RunInputs, PresetKeyFault> ReadPresetKeys(const IniDocument& document);

// Sets every key of a saved sort in document from inputs, or names the first value that would not read back as it
// is (Unkeepable), leaving document partly written. Keywords are kept without blanks at their ends, which split
// keywords anyway.
std::optional<PresetKeyFault> WritePresetKeys(const RunInputs& inputs, IniDocument& document);

#pragma once

#include "settings/SettingsValues.h"

#include <QByteArrayView>
#include <QLocale>

#include <span>
#include <variant>

class IniDocument;

// The one section of the settings file.
inline constexpr QByteArrayView kParameterSection = "Parameter";

// How a key's value is written as text.
enum class SettingType {
    Text,    // the text as it stands (UTF-8)
    Integer, // decimal; read also as hexadecimal after "0x"
    Date,    // see SettingDateFormat
    Time,    // see SettingTimeFormat
};

// What a key does beyond its type.
enum class KeyRule {
    Plain,
    PolicyChoice,   // values other than 1, 2 and 3 load as 0
    ExistingFolder, // a missing key loads as the default output folder + "/"; a folder that does not exist as ""
    PageIndex,      // a value outside the criterion pages loads as -1
    SuffixList,     // a list, saved by JoinSuffixFilter and loaded by SplitSuffixFilter
    TrimmedOnSave,  // saved without leading and trailing blanks and control characters
};

using SettingsMember = std::variant<QString SettingsValues::*, int SettingsValues::*, QStringList SettingsValues::*,
                                    std::optional<QDate> SettingsValues::*, std::optional<QTime> SettingsValues::*>;

struct ParameterKey {
    QByteArrayView name;
    SettingType type;
    // What a missing key loads as; for integers also what an unreadable value loads as. An empty date or time
    // loads as no value, so the picker keeps what it shows.
    QByteArrayView defaultText;
    KeyRule rule;
    SettingsMember member;
};

// Every key of the section, in the order a save writes them.
std::span<const ParameterKey> ParameterKeys();

// The SuffixFilter value of a type list: every item that is not empty, each followed by "|".
QString JoinSuffixFilter(const QStringList& items);

// The type list of a SuffixFilter value: the text before each "|" as it stands when it is not empty, then what
// follows the last "|" without leading and trailing blanks and control characters, when that is not empty.
QStringList SplitSuffixFilter(const QString& value);

// The values of all keys in document, with defaults for the keys that are missing or unreadable. defaultOutputFolder
// is what a missing output folder loads as.
SettingsValues ReadParameterKeys(const IniDocument& document, const QString& defaultOutputFolder,
                                 const QLocale& locale);

// Sets all keys of document from values, in the save order.
void WriteParameterKeys(const SettingsValues& values, const QLocale& locale, IniDocument& document);

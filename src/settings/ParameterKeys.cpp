#include "settings/ParameterKeys.h"

#include "core/CriterionPage.h"
#include "core/FsEntries.h"
#include "core/TextBytes.h"
#include "settings/IniDocument.h"
#include "settings/SettingValueText.h"

#include <QFile>

#include <array>

namespace {

using enum SettingType;
using enum KeyRule;

// The single source of truth for the keys: name, type, default and rule, in save order.
const std::array<ParameterKey, 21> kKeys = {{
    {"Filter", Text, "", Plain, &SettingsValues::nameFilterPieces},
    {"SameFile", Integer, "0", PolicyChoice, &SettingsValues::sameNamePolicy},
    {"OutDir", Text, "", ExistingFolder, &SettingsValues::outputFolder},
    {"Page", Integer, "0", PageIndex, &SettingsValues::criterionPage},
    {"PicSize", Integer, "0", Plain, &SettingsValues::pictureDimension},
    {"CmbPic", Integer, "0", Plain, &SettingsValues::pictureCondition},
    {"PicSizeValue", Text, "", Plain, &SettingsValues::pictureLimit},
    {"CmbCondition", Integer, "0", Plain, &SettingsValues::sizeCondition},
    {"CmbUnit", Integer, "0", Plain, &SettingsValues::sizeUnit},
    {"FileSize", Text, "", Plain, &SettingsValues::sizeThreshold},
    {"EdtKeys", Text, "", TrimmedOnSave, &SettingsValues::keywords},
    {"SuffixFilter", Text, "", SuffixList, &SettingsValues::typeList},
    {"DTDate", Date, "", Plain, &SettingsValues::dateMomentDay},
    {"DTTime", Time, "", Plain, &SettingsValues::dateMomentTime},
    {"FileAttr", Integer, "0", Plain, &SettingsValues::dateKind},
    {"CmbFileDate", Integer, "0", Plain, &SettingsValues::dateCondition},
    {"SkipIdentical", Integer, "0", Plain, &SettingsValues::skipIdentical},
    {"TakenTime", Integer, "0", Plain, &SettingsValues::takenTime},
    {"DatePattern", Text, "%Y/%m", Plain, &SettingsValues::datePattern},
    {"DateSource", Integer, "0", Plain, &SettingsValues::dateSource},
    {"Preset", Text, "", Plain, &SettingsValues::preset},
}};

// A key's value between its text in the file and its member.
using Value = std::variant<QString, int, QStringList, std::optional<QDate>, std::optional<QTime>>;

Value parse(const ParameterKey& key, const QByteArray& text, const QLocale& locale) {
    switch (key.type) {
    case Text:
        return QString::fromUtf8(text);
    case Integer:
        return ParseSettingInteger(text, ParseSettingInteger(key.defaultText, 0));
    case Date:
        return ParseSettingDate(QString::fromUtf8(text), locale);
    case Time:
        return ParseSettingTime(QString::fromUtf8(text), locale);
    }
    Q_UNREACHABLE();
}

QByteArray format(const ParameterKey& key, const Value& value, const QLocale& locale) {
    switch (key.type) {
    case Text:
        return std::get<QString>(value).toUtf8();
    case Integer:
        return QByteArray::number(std::get<int>(value));
    case Date:
        return DateSettingText(std::get<std::optional<QDate>>(value).value_or(QDate()), locale).toUtf8();
    case Time:
        return TimeSettingText(std::get<std::optional<QTime>>(value).value_or(QTime()), locale).toUtf8();
    }
    Q_UNREACHABLE();
}

Value applyLoadRule(KeyRule rule, Value value) {
    switch (rule) {
    case PolicyChoice: {
        const int choice = std::get<int>(value);
        return choice >= 1 && choice <= 3 ? choice : 0;
    }
    case ExistingFolder: {
        const QString& folder = std::get<QString>(value);
        return Fs::ReachesFolder(QFile::encodeName(folder)) ? folder : QString();
    }
    case PageIndex: {
        const int page = std::get<int>(value);
        return page >= 0 && page < PageCount ? page : -1;
    }
    case SuffixList:
        return SplitSuffixFilter(std::get<QString>(value));
    case Plain:
    case TrimmedOnSave:
        return value;
    }
    Q_UNREACHABLE();
}

Value applySaveRule(KeyRule rule, Value value) {
    switch (rule) {
    case SuffixList:
        return JoinSuffixFilter(std::get<QStringList>(value));
    case TrimmedOnSave:
        return TrimBlanksAndControls(std::get<QString>(value));
    case Plain:
    case PolicyChoice:
    case ExistingFolder:
    case PageIndex:
        return value;
    }
    Q_UNREACHABLE();
}

} // namespace

std::span<const ParameterKey> ParameterKeys() {
    return kKeys;
}

QString JoinSuffixFilter(const QStringList& items) {
    QString value;
    for (const QString& item : items) {
        if (!item.isEmpty()) {
            value += item + u'|';
        }
    }
    return value;
}

QStringList SplitSuffixFilter(const QString& value) {
    QStringList items;
    qsizetype begin = 0;
    for (qsizetype bar = value.indexOf(u'|'); bar >= 0; bar = value.indexOf(u'|', begin)) {
        if (bar > begin) {
            items.append(value.mid(begin, bar - begin));
        }
        begin = bar + 1;
    }
    const QString rest = TrimBlanksAndControls(value.mid(begin));
    if (!rest.isEmpty()) {
        items.append(rest);
    }
    return items;
}

SettingsValues ReadParameterKeys(const IniDocument& document, const QString& defaultOutputFolder,
                                 const QLocale& locale) {
    SettingsValues values;
    for (const ParameterKey& key : kKeys) {
        const QByteArray text = document.value(kParameterSection, key.name)
                                    .value_or(key.rule == ExistingFolder ? (defaultOutputFolder + u'/').toUtf8()
                                                                         : key.defaultText.toByteArray());
        const Value value = applyLoadRule(key.rule, parse(key, text, locale));
        std::visit(
            [&](auto member) {
                using Member = std::remove_reference_t<decltype(values.*member)>;
                values.*member = std::get<Member>(value);
            },
            key.member);
    }
    return values;
}

void WriteParameterKeys(const SettingsValues& values, const QLocale& locale, IniDocument& document) {
    for (const ParameterKey& key : kKeys) {
        const Value value = std::visit([&](auto member) { return Value(values.*member); }, key.member);
        document.setValue(kParameterSection, key.name, format(key, applySaveRule(key.rule, value), locale));
    }
}

#include "presets/PresetKeys.h"

#include "core/TextBytes.h"
#include "engine/criteria/PageChoiceTexts.h"
#include "presets/StoredChoices.h"
#include "settings/IniDocument.h"
#include "settings/ParameterKeys.h"

using namespace Qt::StringLiterals;

namespace {

using Kind = PresetKeyFault::Kind;

constexpr auto kDateFormat = "yyyy-MM-dd";
constexpr auto kTimeFormat = "HH:mm:ss";

// Reads the keys one after the other and keeps the first fault; the values read after a fault are not used.
class KeyReader {
public:
    explicit KeyReader(const IniDocument& document) : m_document(document) {}

    QString text(QByteArrayView key) {
        const std::optional<QByteArray> bytes = raw(key);
        if (!bytes) {
            return {};
        }
        const QString value = QString::fromUtf8(*bytes);
        if (value.toUtf8() != *bytes) {
            refuse(key, *bytes);
        }
        return value;
    }

    int number(QByteArrayView key, int minimum, int maximum) {
        const std::optional<QByteArray> bytes = raw(key);
        if (!bytes) {
            return minimum;
        }
        bool ok = false;
        const int value = bytes->toInt(&ok, 10);
        if (!ok || value < minimum || value > maximum || QByteArray::number(value) != *bytes) {
            refuse(key, *bytes);
            return minimum;
        }
        return value;
    }

    bool flag(QByteArrayView key) { return number(key, 0, 1) == 1; }

    // A date or a time in the one format a saved sort writes it in; empty for none.
    template <typename Moment> Moment moment(QByteArrayView key, const char* format) {
        const QString value = text(key);
        const Moment moment = Moment::fromString(value, QLatin1StringView(format));
        if (!value.isEmpty() && (!moment.isValid() || moment.toString(QLatin1StringView(format)) != value)) {
            refuse(key, value.toUtf8());
        }
        return moment;
    }

    QList<PictureType> pictureTypes(QByteArrayView key) {
        const QString value = text(key);
        QStringList ticked = value.split(u'|');
        if (ticked.takeLast() != QString()) {
            refuse(key, value.toUtf8());
        }
        QList<PictureType> types = PagePictureTypes();
        for (PictureType& type : types) {
            type.ticked = ticked.removeAll(type.text) > 0;
        }
        if (!ticked.isEmpty()) {
            refuse(key, value.toUtf8());
        }
        return types;
    }

    void refuse(QByteArrayView key, const QByteArray& value) {
        if (!fault) {
            fault = PresetKeyFault{key.toByteArray(), Kind::Unreadable, value};
        }
    }

    std::optional<PresetKeyFault> fault;

private:
    std::optional<QByteArray> raw(QByteArrayView key) {
        std::optional<QByteArray> bytes = m_document.value(kParameterSection, key);
        if (!bytes && !fault) {
            fault = PresetKeyFault{key.toByteArray(), Kind::Missing, {}};
        }
        return fault ? std::nullopt : bytes;
    }

    const IniDocument& m_document;
};

// Writes the keys one after the other and keeps the first value that would not read back.
class KeyWriter {
public:
    explicit KeyWriter(IniDocument& document) : m_document(document) {}

    void text(QByteArrayView key, const QString& value) {
        const bool lineBreak = value.contains(u'\n') || value.contains(u'\r');
        if (lineBreak || TrimBlanksAndControls(value) != value) {
            if (!fault) {
                fault = PresetKeyFault{key.toByteArray(), Kind::Unkeepable, value.toUtf8()};
            }
            return;
        }
        m_document.setValue(kParameterSection, key, value.toUtf8());
    }

    void number(QByteArrayView key, int value) {
        m_document.setValue(kParameterSection, key, QByteArray::number(value));
    }

    std::optional<PresetKeyFault> fault;

private:
    IniDocument& m_document;
};

QString joinedPictureTypes(const QList<PictureType>& types) {
    QString joined;
    for (const PictureType& type : types) {
        if (type.ticked) {
            joined += type.text + u'|';
        }
    }
    return joined;
}

} // namespace

std::variant<RunInputs, PresetKeyFault> ReadPresetKeys(const IniDocument& document) {
    KeyReader read(document);
    RunInputs inputs;
    inputs.page = CriterionPage(read.number("Page", KeywordPage, DateFoldersPage));
    inputs.keywords = read.text("EdtKeys");
    inputs.name = {read.flag("NamePart"), read.text("NamePartBegin"), read.text("NamePartEnd"), read.text("Filter"),
                   read.flag("OnlyMatchDir")};
    inputs.size = {ChoiceOfItem<SizeCondition>(read.number("CmbCondition", -1, 1), 2), read.text("FileSize"),
                   ChoiceOfItem<SizeUnit>(read.number("CmbUnit", -1, 1), 2)};
    const bool modified = read.flag("FileAttr");
    const bool taken = read.flag("TakenTime");
    inputs.date = {taken      ? DateKind::TakenTime
                   : modified ? DateKind::ModificationTime
                              : DateKind::CreationTime,
                   read.flag("CmbFileDate") ? DateCondition::Later : DateCondition::Earlier,
                   read.moment<QDate>("DTDate", kDateFormat), read.moment<QTime>("DTTime", kTimeFormat)};
    inputs.image = {read.flag("PicSize") ? ImageDimension::Height : ImageDimension::Width,
                    ChoiceOfItem<PictureCondition>(read.number("CmbPic", -1, 2), 3), read.text("PicSizeValue")};
    inputs.dateFolders = {read.text("DatePattern"), DateSourceFromStored(read.number("DateSource", 0, 2))};
    const int filterMode = read.number("FilterMode", 0, 2);
    inputs.filter.include = filterMode == 1;
    inputs.filter.exclude = filterMode == 2;
    const QString suffixes = read.text("SuffixFilter");
    inputs.filter.typeList = SplitSuffixFilter(suffixes);
    if (JoinSuffixFilter(inputs.filter.typeList) != suffixes) {
        read.refuse("SuffixFilter", suffixes.toUtf8());
    }
    inputs.filter.pictureTypes = read.pictureTypes("PictureTypes");
    inputs.outputFolder = read.text("OutDir");
    inputs.move = read.flag("Move");
    inputs.policy = SameNamePolicyFromStored(read.number("SameFile", 0, 3));
    inputs.skipIdentical = read.flag("SkipIdentical");
    if (read.fault) {
        return *read.fault;
    }
    return inputs;
}

std::optional<PresetKeyFault> WritePresetKeys(const RunInputs& inputs, IniDocument& document) {
    KeyWriter write(document);
    write.number("Page", inputs.page);
    write.text("EdtKeys", TrimBlanksAndControls(inputs.keywords));
    write.number("NamePart", inputs.name.range ? 1 : 0);
    write.text("NamePartBegin", inputs.name.begin);
    write.text("NamePartEnd", inputs.name.end);
    write.text("Filter", inputs.name.filter);
    write.number("OnlyMatchDir", inputs.name.onlyExisting ? 1 : 0);
    write.number("CmbCondition", ChoiceItemIndex(inputs.size.condition));
    write.number("CmbUnit", ChoiceItemIndex(inputs.size.unit));
    write.text("FileSize", inputs.size.size);
    write.number("FileAttr", inputs.date.kind == DateKind::CreationTime ? 0 : 1);
    write.number("TakenTime", inputs.date.kind == DateKind::TakenTime ? 1 : 0);
    write.number("CmbFileDate", inputs.date.condition == DateCondition::Later ? 1 : 0);
    write.text("DTDate", inputs.date.date.toString(QLatin1StringView(kDateFormat)));
    write.text("DTTime", inputs.date.time.toString(QLatin1StringView(kTimeFormat)));
    write.number("PicSize", inputs.image.side == ImageDimension::Height ? 1 : 0);
    write.number("CmbPic", ChoiceItemIndex(inputs.image.condition));
    write.text("PicSizeValue", inputs.image.limit);
    write.text("DatePattern", inputs.dateFolders.pattern);
    write.number("DateSource", int(inputs.dateFolders.source));
    write.number("FilterMode", inputs.filter.include ? 1 : inputs.filter.exclude ? 2 : 0);
    const QString suffixes = JoinSuffixFilter(inputs.filter.typeList);
    if (SplitSuffixFilter(suffixes) != inputs.filter.typeList && !write.fault) {
        write.fault = PresetKeyFault{"SuffixFilter", Kind::Unkeepable, suffixes.toUtf8()};
    }
    write.text("SuffixFilter", suffixes);
    write.text("PictureTypes", joinedPictureTypes(inputs.filter.pictureTypes));
    write.text("OutDir", inputs.outputFolder);
    write.number("Move", inputs.move ? 1 : 0);
    write.number("SameFile", StoredSameNamePolicy(inputs.policy));
    write.number("SkipIdentical", inputs.skipIdentical ? 1 : 0);
    return write.fault;
}

#include "cli/OptionValues.h"

#include "core/IntegerText.h"
#include "engine/criteria/PageChoiceTexts.h"
#include "engine/criteria/SizeCriterion.h"
#include "filelist/FolderScan.h"

#include <QRegularExpression>

#include <array>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

std::optional<SizeValue> ParseSizeValue(const QString& text) {
    for (const SizeUnit unit : {SizeUnit::KB, SizeUnit::MB}) {
        const QString unitText = SizeUnitText(unit);
        if (!text.endsWith(unitText, Qt::CaseInsensitive)) {
            continue;
        }
        const QString number = text.chopped(unitText.size());
        if (number.contains(u'-') || !SizeThreshold(number, unit)) {
            return std::nullopt;
        }
        return SizeValue{number, unit};
    }
    return std::nullopt;
}

std::optional<MomentValue> ParseMoment(const QString& text) {
    QString dateText = text;
    QString timeText;
    const qsizetype split = text.indexOf(QRegularExpression(u"[ T]"_s));
    if (split >= 0) {
        dateText = text.left(split);
        timeText = text.mid(split + 1);
    }
    static const QRegularExpression datePattern(u"^\\d{4}-\\d{2}-\\d{2}$"_s);
    static const QRegularExpression timePattern(u"^\\d{2}:\\d{2}(:\\d{2})?$"_s);
    if (!datePattern.match(dateText).hasMatch() || (split >= 0 && !timePattern.match(timeText).hasMatch())) {
        return std::nullopt;
    }
    const QDate date = QDate::fromString(dateText, u"yyyy-MM-dd"_s);
    QTime time(0, 0);
    if (split >= 0) {
        time = QTime::fromString(timeText, timeText.size() == 5 ? u"HH:mm"_s : u"HH:mm:ss"_s);
    }
    if (!date.isValid() || !time.isValid()) {
        return std::nullopt;
    }
    return MomentValue{date, time};
}

std::optional<PixelValue> ParsePixelValue(const QString& text) {
    // Longest prefix first: "=" is also the end of ">=" and "<=".
    const std::array<std::pair<QString, PictureCondition>, 3> conditions{{{u">="_s, PictureCondition::AtLeast},
                                                                          {u"<="_s, PictureCondition::AtMost},
                                                                          {u"="_s, PictureCondition::Exactly}}};
    for (const auto& [prefix, condition] : conditions) {
        if (!text.startsWith(prefix)) {
            continue;
        }
        const QString limit = text.mid(prefix.size());
        if (limit.contains(u'-') ||
            !ParseIntegerField(limit, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max())) {
            return std::nullopt;
        }
        return PixelValue{condition, limit};
    }
    return std::nullopt;
}

std::optional<RangeValue> ParseRange(const QString& text) {
    // The separator is the first "-" after the first character, which may be the start position's sign.
    const qsizetype split = text.indexOf(u'-', 1);
    if (split < 0) {
        return std::nullopt;
    }
    RangeValue range{text.left(split), text.mid(split + 1)};
    if (!ParseDecimalPosition(range.begin) || !ParseDecimalPosition(range.end)) {
        return std::nullopt;
    }
    return range;
}

namespace {
// The extensions of a comma-separated list without "*" and "." in front, or nothing when one is empty.
std::optional<QStringList> bareExtensions(const QString& text) {
    QStringList extensions;
    for (QString item : text.split(u',')) {
        item = item.trimmed();
        if (item.startsWith(u'*')) {
            item.remove(0, 1);
        }
        if (item.startsWith(u'.')) {
            item.remove(0, 1);
        }
        if (item.isEmpty()) {
            return std::nullopt;
        }
        extensions.append(item);
    }
    return extensions;
}
} // namespace

std::optional<QStringList> ParseTypeList(const QString& text) {
    std::optional<QStringList> extensions = bareExtensions(text);
    if (!extensions) {
        return std::nullopt;
    }
    QStringList entries;
    for (const QString& extension : *extensions) {
        entries.append(u"*."_s + extension);
    }
    return entries;
}

std::optional<QList<PictureType>> ParsePictureTypes(const QString& text) {
    const std::optional<QStringList> names = bareExtensions(text);
    if (!names) {
        return std::nullopt;
    }
    QList<PictureType> types = PagePictureTypes();
    for (PictureType& type : types) {
        type.ticked = false;
    }
    for (const QString& name : *names) {
        bool known = false;
        for (PictureType& type : types) {
            if (type.text.split(u';').contains(u"*."_s + name.toUpper())) {
                type.ticked = known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
    }
    return types;
}

std::optional<SameNamePolicy> ParseSameNamePolicy(const QString& text) {
    const std::array<std::pair<QString, SameNamePolicy>, 4> policies{{{u"skip"_s, SameNamePolicy::Skip},
                                                                      {u"overwrite"_s, SameNamePolicy::Overwrite},
                                                                      {u"number"_s, SameNamePolicy::Rename},
                                                                      {u"ask"_s, SameNamePolicy::Ask}}};
    for (const auto& [name, policy] : policies) {
        if (text == name) {
            return policy;
        }
    }
    return std::nullopt;
}

std::optional<int> ParseDepth(const QString& text) {
    const std::optional<int> depth = ParseScanDepth(text);
    return depth && *depth >= 0 ? depth : std::nullopt;
}

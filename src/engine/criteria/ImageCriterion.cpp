#include "engine/criteria/ImageCriterion.h"

#include "core/IntegerText.h"
#include "engine/criteria/PageChoiceTexts.h"

#include <QCoreApplication>
#include <limits>

ImageCriterion::ImageCriterion(ImageDimension dimension, PictureCondition condition, qint32 limit,
                               QString subFolderName)
    : SingleFolderCriterion(std::move(subFolderName)), m_dimension(dimension), m_condition(condition), m_limit(limit) {}

SingleFolderCriterion::Verdict ImageCriterion::judge(const QByteArray& source, SortContext&) const {
    if (m_condition == PictureCondition::Unselected) {
        return {Verdict::NoMatch, QCoreApplication::translate("NoMatchReason", "没有选择图片尺寸的比较方式")};
    }
    const quint32 pixels = ProbeImageDimension(source, m_dimension);
    if (pixels == 0) {
        return {Verdict::Unmeasurable, QCoreApplication::translate("NoMatchReason", "不是图片文件（无法读取尺寸）")};
    }
    // Both sides as 64-bit numbers: an unsigned side never meets a negative limit wrapped around.
    const qint64 side = pixels;
    const qint64 limit = m_limit;
    // The relation that holds when the file does not match.
    const char16_t* missedBy = u"";
    bool matches = false;
    switch (m_condition) {
    case PictureCondition::AtLeast:
        matches = side >= limit;
        missedBy = u"<";
        break;
    case PictureCondition::AtMost:
        matches = side <= limit;
        missedBy = u">";
        break;
    case PictureCondition::Exactly:
        matches = side == limit;
        missedBy = u"≠";
        break;
    case PictureCondition::Unselected:
        break;
    }
    if (matches) {
        return {Verdict::Match};
    }
    const QString measured = m_dimension == ImageDimension::Width
                                 ? QCoreApplication::translate("NoMatchReason", "宽度 %1 %2 %3")
                                 : QCoreApplication::translate("NoMatchReason", "高度 %1 %2 %3");
    return {Verdict::NoMatch, measured.arg(side).arg(QStringView(missedBy)).arg(limit)};
}

ParameterOutcome ImageParameterStep(const ImagePageFields& fields) {
    const std::optional<qint64> limit =
        ParseIntegerField(fields.limit, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    if (!limit) {
        return InputError{QCoreApplication::translate("CriterionPage", "请输入正确的图片宽高!"),
                          InputField::PixelLimit};
    }
    return std::make_unique<ImageCriterion>(fields.side, fields.condition, qint32(*limit),
                                            PictureConditionText(fields.condition) + fields.limit);
}

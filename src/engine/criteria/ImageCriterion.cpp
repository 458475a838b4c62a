#include "engine/criteria/ImageCriterion.h"

#include "core/IntegerText.h"
#include "engine/RunHost.h"

#include <QCoreApplication>
#include <limits>

using namespace Qt::StringLiterals;

ImageCriterion::ImageCriterion(ImageDimension dimension, int condition, qint32 limit, QString subFolderName)
    : SingleFolderCriterion(std::move(subFolderName)), m_dimension(dimension), m_condition(condition), m_limit(limit) {}

SingleFolderCriterion::Verdict ImageCriterion::judge(const QByteArray& source, SortContext&) const {
    if (m_condition < int(PixelCondition::AtLeast) || m_condition > int(PixelCondition::Exactly)) {
        return Verdict::NoMatch;
    }
    const quint32 pixels = ProbeImageDimension(source, m_dimension);
    if (pixels == 0) {
        return Verdict::Unmeasurable;
    }
    // Both sides as 64-bit numbers: an unsigned side never meets a negative limit wrapped around.
    const qint64 side = pixels;
    const qint64 limit = m_limit;
    bool matches = false;
    switch (PixelCondition(m_condition)) {
    case PixelCondition::AtLeast:
        matches = side >= limit;
        break;
    case PixelCondition::AtMost:
        matches = side <= limit;
        break;
    case PixelCondition::Exactly:
        matches = side == limit;
        break;
    }
    return matches ? Verdict::Match : Verdict::NoMatch;
}

ParameterOutcome ImageParameterStep(const RunHost& host) {
    const ImagePageFields fields = host.imagePage();
    const std::optional<qint64> limit =
        ParseIntegerField(fields.limit, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    if (!limit) {
        return InputError{QCoreApplication::translate("CriterionPage", "请输入正确的图片宽高!"), u"EdtPic"_s};
    }
    const ImageDimension dimension = fields.height ? ImageDimension::Height : ImageDimension::Width;
    return std::make_unique<ImageCriterion>(dimension, fields.condition, qint32(*limit),
                                            fields.conditionText + fields.limit);
}

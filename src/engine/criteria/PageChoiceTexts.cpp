#include "engine/criteria/PageChoiceTexts.h"

using namespace Qt::StringLiterals;

QStringList SizeConditionTexts() {
    return {u"大于"_s, u"小于"_s};
}

QStringList SizeUnitTexts() {
    return {u"KB"_s, u"MB"_s};
}

QStringList PixelConditionTexts() {
    return {u"大于等于"_s, u"小于等于"_s, u"等于"_s};
}

QList<PictureType> PagePictureTypes() {
    return {{u"*.JPG;*.JPEG"_s}, {u"*.BMP"_s},  {u"*.GIF"_s},  {u"*.PNG"_s}, {u"*.TIF"_s},
            {u"*.WEBP"_s},       {u"*.HEIC"_s}, {u"*.HEIF"_s}, {u"*.AVIF"_s}};
}

// The lists hold their items in the order of the choices, and nothing for Unselected, which comes after them.

QString SizeConditionText(SizeCondition condition) {
    return SizeConditionTexts().value(int(condition));
}

QString SizeUnitText(SizeUnit unit) {
    return SizeUnitTexts().value(int(unit));
}

QString PictureConditionText(PictureCondition condition) {
    return PixelConditionTexts().value(int(condition));
}

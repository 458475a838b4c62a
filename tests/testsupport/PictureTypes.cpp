#include "testsupport/PictureTypes.h"

QList<PictureType> StandardPictureTypes() {
    return {{QStringLiteral("*.JPG;*.JPEG")}, {QStringLiteral("*.BMP")},  {QStringLiteral("*.GIF")},
            {QStringLiteral("*.PNG")},        {QStringLiteral("*.TIF")},  {QStringLiteral("*.WEBP")},
            {QStringLiteral("*.HEIC")},       {QStringLiteral("*.HEIF")}, {QStringLiteral("*.AVIF")}};
}

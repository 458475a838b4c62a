#pragma once

#include "engine/ExtensionFilter.h"

// The five items of the picture-type list, all ticked, as the window starts with them.
inline QList<PictureType> StandardPictureTypes() {
    return {{QStringLiteral("*.JPG;*.JPEG")},
            {QStringLiteral("*.BMP")},
            {QStringLiteral("*.GIF")},
            {QStringLiteral("*.PNG")},
            {QStringLiteral("*.TIF")}};
}

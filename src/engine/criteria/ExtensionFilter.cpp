#include "engine/criteria/ExtensionFilter.h"

#include "core/TextBytes.h"

#include <algorithm>

bool ExtensionFilterAccepts(const ExtensionFilterState& filter, const QByteArray& extension) {
    if (!filter.exclude && !filter.include) {
        return true;
    }
    const QByteArray probe = '*' + extension;
    const bool listed = std::any_of(filter.typeList.begin(), filter.typeList.end(),
                                    [&](const QString& entry) { return EqualIgnoringCase(entry.toUtf8(), probe); });
    return filter.exclude ? !listed : listed;
}

bool PictureTypeAccepts(const ExtensionFilterState& filter, const QByteArray& extension) {
    const QByteArray probe = FoldAsciiUpper('*' + extension);
    return std::any_of(filter.pictureTypes.begin(), filter.pictureTypes.end(),
                       [&](const PictureType& type) { return type.ticked && type.text.toUtf8().contains(probe); });
}

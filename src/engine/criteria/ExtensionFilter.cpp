#include "engine/criteria/ExtensionFilter.h"

#include "core/TextBytes.h"

#include <QCoreApplication>

#include <algorithm>

namespace {
QString typeText(const QByteArray& extension) {
    return extension.isEmpty() ? QCoreApplication::translate("FilterReason", "（无扩展名）") : DisplayText(extension);
}
} // namespace

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

QString ExtensionFilterRefusal(const ExtensionFilterState& filter, const QByteArray& extension) {
    const QString text = filter.exclude ? QCoreApplication::translate("FilterReason", "类型 %1 在不分拣的类型中")
                                        : QCoreApplication::translate("FilterReason", "类型 %1 不在只分拣的类型中");
    return text.arg(typeText(extension));
}

QString PictureTypeRefusal(const QByteArray& extension) {
    return QCoreApplication::translate("FilterReason", "类型 %1 不在勾选的图片类型中").arg(typeText(extension));
}

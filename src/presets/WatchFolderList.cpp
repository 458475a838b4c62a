#include "presets/WatchFolderList.h"

#include "core/PercentEscapes.h"

QByteArray WatchFoldersValue(const QByteArrayList& folders) {
    QByteArrayList escaped;
    for (const QByteArray& folder : folders) {
        escaped.append(PercentEscaped(folder, "|"));
    }
    return escaped.join('|');
}

std::optional<QByteArrayList> WatchFoldersOf(QByteArrayView value) {
    QByteArrayList folders;
    if (value.isEmpty()) {
        return folders;
    }
    for (const QByteArray& escaped : value.toByteArray().split('|')) {
        const std::optional<QByteArray> folder = PercentUnescaped(escaped);
        if (!folder || folder->isEmpty() || folder->contains('\0')) {
            return std::nullopt;
        }
        folders.append(*folder);
    }
    return folders;
}

#include "ui/UnreadableFoldersBox.h"

#include "core/TextBytes.h"
#include "ui/MessageBoxes.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace {

struct UnreadableFoldersBox {
    Q_DECLARE_TR_FUNCTIONS(UnreadableFoldersBox)
};

// The box names no more folders than it can show.
constexpr qsizetype kFoldersNamed = 5;

} // namespace

void ShowUnreadableFolders(QWidget* parent, const QList<UnreadableFolder>& folders) {
    QStringList named;
    for (const UnreadableFolder& folder : folders.first(std::min(kFoldersNamed, folders.size()))) {
        named.append(DisplayText(folder.path));
    }
    if (folders.size() > kFoldersNamed) {
        named.append(UnreadableFoldersBox::tr("……另有 %n 个文件夹", nullptr, int(folders.size() - kFoldersNamed)));
    }
    ShowInformation(parent, UnreadableFoldersBox::tr("有 %n 个文件夹无法读取，其中的文件未添加到列表中：\n%1", nullptr,
                                                     int(folders.size()))
                                .arg(named.join(u'\n')));
}

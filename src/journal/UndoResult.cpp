#include "journal/UndoResult.h"

#include "journal/CodeTable.h"

#include <QCoreApplication>

namespace {

constexpr CodeTable<UndoReason, 10> kUndoReasons{{
    {UndoReason::Changed, "changed", QT_TRANSLATE_NOOP("UndoReason", "文件在分拣后已被改动")},
    {UndoReason::Gone, "gone", QT_TRANSLATE_NOOP("UndoReason", "文件已不在分拣放置的位置")},
    {UndoReason::SourceTaken, "source-taken", QT_TRANSLATE_NOOP("UndoReason", "原位置已有其他文件")},
    {UndoReason::NameTaken, "name-taken", QT_TRANSLATE_NOOP("UndoReason", "被覆盖文件的原名已被占用")},
    {UndoReason::KeptMissing, "kept-missing",
     QT_TRANSLATE_NOOP("UndoReason", "被覆盖的文件已不在保存的位置（回收站可能已清空）")},
    {UndoReason::FolderNotEmpty, "folder-not-empty", QT_TRANSLATE_NOOP("UndoReason", "文件夹不是空的")},
    {UndoReason::Unconfirmed, "unconfirmed", QT_TRANSLATE_NOOP("UndoReason", "分拣记录不完整，无法确认该文件")},
    {UndoReason::Refused, "refused", QT_TRANSLATE_NOOP("UndoReason", "文件系统拒绝了操作")},
    {UndoReason::Outside, "outside", QT_TRANSLATE_NOOP("UndoReason", "记录中的位置不在这次分拣的输出文件夹内，未处理")},
    {UndoReason::TrashInfoLeft, "trash-info-left",
     QT_TRANSLATE_NOOP("UndoReason", "回收站中的记录文件不属于当前用户或不是普通文件，未删除")},
}};

} // namespace

QString UndoReasonText(UndoReason reason) {
    return QCoreApplication::translate("UndoReason", EntryOf(kUndoReasons, reason).text);
}

const char* UndoReasonCode(UndoReason reason) {
    return EntryOf(kUndoReasons, reason).code;
}

std::optional<UndoReason> UndoReasonOfCode(QByteArrayView code) {
    return ValueOfCode(kUndoReasons, code);
}

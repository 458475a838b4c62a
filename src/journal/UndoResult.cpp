#include "journal/UndoResult.h"

#include <QCoreApplication>

QString UndoReasonText(UndoReason reason) {
    switch (reason) {
    case UndoReason::Changed:
        return QCoreApplication::translate("UndoReason", "文件在分拣后已被改动");
    case UndoReason::Gone:
        return QCoreApplication::translate("UndoReason", "文件已不在分拣放置的位置");
    case UndoReason::SourceTaken:
        return QCoreApplication::translate("UndoReason", "原位置已有其他文件");
    case UndoReason::NameTaken:
        return QCoreApplication::translate("UndoReason", "被覆盖文件的原名已被占用");
    case UndoReason::KeptMissing:
        return QCoreApplication::translate("UndoReason", "被覆盖的文件已不在保存的位置（回收站可能已清空）");
    case UndoReason::FolderNotEmpty:
        return QCoreApplication::translate("UndoReason", "文件夹不是空的");
    case UndoReason::Unconfirmed:
        return QCoreApplication::translate("UndoReason", "分拣记录不完整，无法确认该文件");
    case UndoReason::Refused:
        break;
    }
    return QCoreApplication::translate("UndoReason", "文件系统拒绝了操作");
}

const char* UndoReasonCode(UndoReason reason) {
    switch (reason) {
    case UndoReason::Changed:
        return "changed";
    case UndoReason::Gone:
        return "gone";
    case UndoReason::SourceTaken:
        return "source-taken";
    case UndoReason::NameTaken:
        return "name-taken";
    case UndoReason::KeptMissing:
        return "kept-missing";
    case UndoReason::FolderNotEmpty:
        return "folder-not-empty";
    case UndoReason::Unconfirmed:
        return "unconfirmed";
    case UndoReason::Refused:
        break;
    }
    return "refused";
}

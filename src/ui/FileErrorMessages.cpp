#include "ui/FileErrorMessages.h"

#include "core/ErrnoText.h"

#include <QCoreApplication>

namespace {
const char* messageFor(FileTask task) {
    switch (task) {
    case FileTask::ExportList:
        return QT_TRANSLATE_NOOP("FileErrorMessage", "无法写入列表文件“%1”：%2");
    case FileTask::ImportList:
        return QT_TRANSLATE_NOOP("FileErrorMessage", "无法读取列表文件“%1”：%2");
    case FileTask::ReadPreset:
        return QT_TRANSLATE_NOOP("FileErrorMessage", "无法读取方案文件“%1”：%2");
    case FileTask::WritePreset:
        return QT_TRANSLATE_NOOP("FileErrorMessage", "无法写入方案文件“%1”：%2");
    case FileTask::SaveSettings:
        break;
    }
    return QT_TRANSLATE_NOOP("FileErrorMessage", "无法保存设置文件“%1”：%2");
}
} // namespace

QString FileErrorMessage(FileTask task, const QString& fileName, const Fs::Error& error) {
    return QCoreApplication::translate("FileErrorMessage", messageFor(task)).arg(fileName, ErrnoText(error.code));
}

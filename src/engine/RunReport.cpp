#include "engine/RunReport.h"

#include <QCoreApplication>

#include <cerrno>

FailureReason FailureReasonOf(const Fs::Error& error) {
    using Fs::Operation;
    if (error.code == ENOSPC || error.code == EDQUOT || error.code == EFBIG) {
        return FailureReason::NoSpace;
    }
    if (error.code == ECANCELED) {
        return FailureReason::Interrupted;
    }
    const bool denied = error.code == EACCES || error.code == EPERM || error.code == EROFS;
    switch (error.operation) {
    case Operation::OpenSource:
    case Operation::ReadSource:
        if (error.code == ENOENT) {
            return FailureReason::Vanished;
        }
        return denied ? FailureReason::Unreadable : FailureReason::Other;
    case Operation::CheckSource:
        return FailureReason::NotRegularFile;
    case Operation::CheckTarget:
        switch (error.code) {
        case EACCES:
            return FailureReason::WriteProtected;
        case EINVAL:
            return FailureReason::SameFile;
        case EISDIR:
            return FailureReason::FolderHoldsName;
        }
        return FailureReason::Other;
    case Operation::MakeFolder:
        return FailureReason::NoFolder;
    case Operation::CreateTemporary:
        if (error.code == ENOENT || error.code == ENOTDIR || error.code == ELOOP) {
            return FailureReason::NoFolder;
        }
        return denied ? FailureReason::NoPermission : FailureReason::Other;
    case Operation::WriteTemporary:
    case Operation::MoveIntoPlace:
        return denied ? FailureReason::NoPermission : FailureReason::Other;
    case Operation::VerifySource:
        return FailureReason::ChangedDuringCopy;
    case Operation::DeleteSource:
        if (error.code == ENOENT) {
            return FailureReason::Vanished;
        }
        return denied ? FailureReason::NoPermission : FailureReason::Other;
    case Operation::None:
        break;
    }
    return FailureReason::Other;
}

QString FailureReasonText(FailureReason reason) {
    const char* text = "其他错误";
    switch (reason) {
    case FailureReason::Unreadable:
        text = QT_TRANSLATE_NOOP("FailureReason", "无法读取源文件");
        break;
    case FailureReason::NoPermission:
        text = QT_TRANSLATE_NOOP("FailureReason", "没有权限");
        break;
    case FailureReason::NoSpace:
        text = QT_TRANSLATE_NOOP("FailureReason", "磁盘空间不足");
        break;
    case FailureReason::Vanished:
        text = QT_TRANSLATE_NOOP("FailureReason", "文件已不存在");
        break;
    case FailureReason::WriteProtected:
        text = QT_TRANSLATE_NOOP("FailureReason", "目标文件写保护");
        break;
    case FailureReason::SameFile:
        text = QT_TRANSLATE_NOOP("FailureReason", "与目标是同一个文件");
        break;
    case FailureReason::NotRegularFile:
        text = QT_TRANSLATE_NOOP("FailureReason", "不是普通文件");
        break;
    case FailureReason::FolderHoldsName:
        text = QT_TRANSLATE_NOOP("FailureReason", "目标位置已有同名文件夹");
        break;
    case FailureReason::NoFolder:
        text = QT_TRANSLATE_NOOP("FailureReason", "无法创建目标文件夹");
        break;
    case FailureReason::ChangedDuringCopy:
        text = QT_TRANSLATE_NOOP("FailureReason", "文件在复制时被修改");
        break;
    case FailureReason::Interrupted:
        text = QT_TRANSLATE_NOOP("FailureReason", "复制被中断");
        break;
    case FailureReason::Other:
        text = QT_TRANSLATE_NOOP("FailureReason", "其他错误");
        break;
    }
    return QCoreApplication::translate("FailureReason", text);
}

const char* FailureReasonCode(FailureReason reason) {
    switch (reason) {
    case FailureReason::Unreadable:
        return "unreadable";
    case FailureReason::NoPermission:
        return "no-permission";
    case FailureReason::NoSpace:
        return "no-space";
    case FailureReason::Vanished:
        return "vanished";
    case FailureReason::WriteProtected:
        return "write-protected";
    case FailureReason::SameFile:
        return "same-file";
    case FailureReason::NotRegularFile:
        return "not-regular-file";
    case FailureReason::FolderHoldsName:
        return "folder-holds-name";
    case FailureReason::NoFolder:
        return "no-folder";
    case FailureReason::ChangedDuringCopy:
        return "changed-during-copy";
    case FailureReason::Interrupted:
        return "interrupted";
    case FailureReason::Other:
        break;
    }
    return "other";
}

void RunReport::count(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::Failed:
        ++failed;
        break;
    case RunOutcome::Placed:
        ++placed;
        break;
    case RunOutcome::Left:
        ++left;
        break;
    case RunOutcome::Identical:
        ++identical;
        break;
    case RunOutcome::Filtered:
        ++filtered;
        break;
    case RunOutcome::NotMatching:
        ++notMatching;
        break;
    }
}

void RunReport::add(const QByteArray& path, RunOutcome outcome, const Fs::Error& failure) {
    count(outcome);
    if (outcome == RunOutcome::Failed) {
        failures.append({path, FailureReasonOf(failure), failure});
    }
}

QString WithOutcomeCounts(const QString& format, const RunReport& report) {
    return format.arg(report.failed)
        .arg(report.placed)
        .arg(report.left)
        .arg(report.identical)
        .arg(report.filtered)
        .arg(report.notMatching);
}

QString CompletionMessage(const RunReport& report) {
    QString message = QCoreApplication::translate("RunReport", "分拣工作完成！");
    if (report.failed > 0) {
        message +=
            u'\n' + QCoreApplication::translate("RunReport", "有 %n 个文件复制或删除失败。", nullptr, report.failed);
    }
    return message;
}

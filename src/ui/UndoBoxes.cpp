#include "ui/UndoBoxes.h"

#include "core/ErrnoText.h"
#include "core/TextBytes.h"
#include "journal/Undo.h"
#include "ui/MessageBoxes.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

struct UndoBoxes {
    Q_DECLARE_TR_FUNCTIONS(UndoBoxes)
};

// What the undo will do, and where, as the question names it.
QString outlookText(const UndoOutlook& outlook, const RunSummary& run) {
    QStringList lines;
    if (outlook.inferredFolder) {
        lines.append(UndoBoxes::tr("这次分拣的记录没有记下输出文件夹，撤销只在这个文件夹之内进行：%1")
                         .arg(DisplayText(outlook.outputFolder)));
    } else {
        lines.append(UndoBoxes::tr("输出文件夹：%1").arg(DisplayText(outlook.outputFolder)));
    }
    if (run.state == RunState::PartlyUndone) {
        lines.append(UndoBoxes::tr("这次分拣已部分撤销，将重试未能撤销的 %n 项。", nullptr, run.leftByUndo));
    }
    if (outlook.copiesToDelete > 0) {
        lines.append(UndoBoxes::tr("将删除 %n 个复制出的文件", nullptr, outlook.copiesToDelete));
    }
    if (outlook.movesBack > 0) {
        lines.append(UndoBoxes::tr("将把 %n 个文件移回原处", nullptr, outlook.movesBack));
    }
    if (outlook.fromTrash > 0) {
        lines.append(UndoBoxes::tr("将从回收站恢复 %n 个被覆盖的文件", nullptr, outlook.fromTrash));
    }
    if (outlook.fromBesideJournal > 0) {
        lines.append(UndoBoxes::tr("将从分拣记录旁恢复 %n 个被覆盖的文件", nullptr, outlook.fromBesideJournal));
    }
    return lines.join(u'\n');
}

bool confirmUndo(QWidget* parent, const RunSummary& run, const QString& pageName, const UndoOutlook& outlook) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle,
                    UndoBoxes::tr("是否撤销这次分拣？") + u'\n' + DescribeRun(run, pageName) + u'\n' +
                        outlookText(outlook, run),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString itemText(const UndoItem& item) {
    QString reason = UndoReasonText(item.reason);
    if (item.reason == UndoReason::Refused && item.error.failed()) {
        reason = UndoBoxes::tr("%1（%2）").arg(reason, ErrnoText(item.error.code));
    }
    return UndoBoxes::tr("%1：%2").arg(DisplayText(item.path), reason);
}

// After a retry of a partly undone run that took nothing more back: the run before it, which the history undoes.
QString runBeforeText(const JournalFolder& folder, const RunSummary& run, const QStringList& pageNames) {
    const std::optional<RunSummary> before = RunToUndoBefore(folder, run.id);
    QString text = UndoBoxes::tr("这次分拣没有可以再撤销的内容。");
    if (before) {
        text += u'\n' + UndoBoxes::tr("更早的一次分拣可在“分拣记录”中撤销：%1")
                            .arg(DescribeRun(*before, pageNames.value(int(before->header.page))));
    }
    return text;
}

void showResult(QWidget* parent, const UndoResult& result, const QString& retryText) {
    QString text = UndoBoxes::tr("撤销完成！") + u'\n' + UndoBoxes::tr("已撤销 %n 个文件", nullptr, result.undone) +
                   UndoBoxes::tr("，删除 %n 个空文件夹", nullptr, result.foldersRemoved) +
                   UndoBoxes::tr("，未能撤销 %n 项。", nullptr, int(result.items.size()));
    if (result.damagedLines > 0) {
        text += u'\n' + UndoBoxes::tr("分拣记录中有 %n 行无法读取，已跳过。", nullptr, result.damagedLines);
    }
    if (result.journalError.failed()) {
        text += u'\n' + UndoBoxes::tr("撤销的记录未能全部写入：%1").arg(ErrnoText(result.journalError.code));
    }
    if (!retryText.isEmpty()) {
        text += u'\n' + retryText;
    }
    QStringList details;
    if (!result.items.isEmpty()) {
        details.append(UndoBoxes::tr("未能撤销的文件："));
        for (const UndoItem& item : result.items) {
            details.append(itemText(item));
        }
    }
    QMessageBox box(QMessageBox::Information, kApplicationTitle, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // Detailed text is always shown as plain text.
    box.setDetailedText(details.join(u'\n'));
    box.exec();
}

QString distrustText(const Distrust& distrust) {
    QString why;
    switch (distrust.why) {
    case Distrust::Why::NotOwned:
        why = UndoBoxes::tr("它不属于当前用户。");
        break;
    case Distrust::Why::OpenToOthers:
        why = UndoBoxes::tr("其他用户可以写入它。");
        break;
    case Distrust::Why::WrongKind:
        why = UndoBoxes::tr("它不是普通的文件或文件夹。");
        break;
    }
    return UndoBoxes::tr("分拣记录不可信，没有撤销任何文件：") + u'\n' + DisplayText(distrust.path) + u'\n' + why;
}

// Says why the run cannot be undone now; false when it can.
bool refusedBecause(QWidget* parent, UndoResult::Status status, const std::optional<Distrust>& distrust) {
    switch (status) {
    case UndoResult::Status::Done:
        return false;
    case UndoResult::Status::NoSuchRun:
        ShowWarning(parent, UndoBoxes::tr("这次分拣的记录已不存在，无法撤销。"));
        break;
    case UndoResult::Status::Running:
        ShowWarning(parent, UndoBoxes::tr("这次分拣正在进行，现在不能撤销。"));
        break;
    case UndoResult::Status::Undoing:
        ShowWarning(parent, UndoBoxes::tr("这次分拣正在撤销，现在不能再次撤销。"));
        break;
    case UndoResult::Status::Unreadable:
        ShowWarning(parent, UndoBoxes::tr("这次分拣的记录无法读取，没有撤销任何文件。"));
        break;
    case UndoResult::Status::Untrusted:
        ShowWarning(parent, distrustText(*distrust));
        break;
    }
    return true;
}

} // namespace

QString DescribeRun(const RunSummary& run, const QString& pageName) {
    return UndoBoxes::tr("%1，%2，%3，共 %n 个文件。", nullptr, run.header.listSize)
        .arg(run.startTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), pageName,
             run.header.move ? UndoBoxes::tr("移动式分拣") : UndoBoxes::tr("复制式分拣"));
}

bool AskAndUndo(QWidget* parent, const JournalFolder& folder, const RunSummary& run, const QStringList& pageNames) {
    const QString pageName = pageNames.value(int(run.header.page));
    const UndoOutlook outlook = LookAheadAtUndo(folder, run.id);
    if (refusedBecause(parent, outlook.status, outlook.distrust) || !confirmUndo(parent, run, pageName, outlook)) {
        return false;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const UndoResult result = UndoRun(folder, run.id);
    QGuiApplication::restoreOverrideCursor();
    if (refusedBecause(parent, result.status, result.distrust)) {
        return false;
    }
    const bool nothingNew = result.undone == 0 && result.foldersRemoved == 0;
    showResult(parent, result,
               run.state == RunState::PartlyUndone && nothingNew ? runBeforeText(folder, run, pageNames) : QString());
    return true;
}

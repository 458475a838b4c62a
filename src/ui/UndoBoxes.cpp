#include "ui/UndoBoxes.h"

#include "core/TextBytes.h"
#include "journal/Undo.h"
#include "ui/MessageBoxes.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>

#include <cstring>

namespace {

struct UndoBoxes {
    Q_DECLARE_TR_FUNCTIONS(UndoBoxes)
};

bool confirmUndo(QWidget* parent, const RunSummary& run, const QString& pageName) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle,
                    UndoBoxes::tr("是否撤销这次分拣？") + u'\n' + RunDescription(run, pageName),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString itemText(const UndoItem& item) {
    QString reason = UndoReasonText(item.reason);
    if (item.reason == UndoReason::Refused && item.error.failed()) {
        reason = UndoBoxes::tr("%1（%2）").arg(reason, QString::fromLocal8Bit(std::strerror(item.error.code)));
    }
    return UndoBoxes::tr("%1：%2").arg(DisplayText(item.path), reason);
}

void showResult(QWidget* parent, const UndoResult& result) {
    QString text = UndoBoxes::tr("撤销完成！") + u'\n' +
                   UndoBoxes::tr("已撤销 %1 项，未能撤销 %2 项。").arg(result.undone).arg(result.items.size());
    if (result.damagedLines > 0) {
        text += u'\n' + UndoBoxes::tr("分拣记录中有 %n 行无法读取，已跳过。", nullptr, result.damagedLines);
    }
    if (result.journalError.failed()) {
        text += u'\n' + UndoBoxes::tr("撤销的记录未能全部写入：%1")
                            .arg(QString::fromLocal8Bit(std::strerror(result.journalError.code)));
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

} // namespace

QString RunDescription(const RunSummary& run, const QString& pageName) {
    return UndoBoxes::tr("%1，%2，%3，共 %n 个文件。", nullptr, run.header.listSize)
        .arg(run.startTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), pageName,
             run.header.move ? UndoBoxes::tr("移动式分拣") : UndoBoxes::tr("复制式分拣"));
}

bool AskAndUndo(QWidget* parent, const JournalFolder& folder, const RunSummary& run, const QString& pageName) {
    if (!confirmUndo(parent, run, pageName)) {
        return false;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const UndoResult result = UndoRun(folder, run.id);
    QGuiApplication::restoreOverrideCursor();
    switch (result.status) {
    case UndoResult::Status::Done:
        showResult(parent, result);
        return true;
    case UndoResult::Status::NoSuchRun:
        ShowWarning(parent, UndoBoxes::tr("这次分拣的记录已不存在，无法撤销。"));
        break;
    case UndoResult::Status::Running:
        ShowWarning(parent, UndoBoxes::tr("这次分拣正在进行或正在撤销，现在不能撤销。"));
        break;
    case UndoResult::Status::Unreadable:
        ShowWarning(parent, UndoBoxes::tr("这次分拣的记录无法读取，没有撤销任何文件。"));
        break;
    }
    return false;
}

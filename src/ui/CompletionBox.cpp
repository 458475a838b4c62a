#include "ui/CompletionBox.h"

#include "core/FsEntries.h"
#include "core/TextBytes.h"
#include "engine/SortPlan.h"
#include "ui/FolderInFileManager.h"
#include "ui/MessageBoxes.h"

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>

namespace {

struct CompletionBox {
    Q_DECLARE_TR_FUNCTIONS(CompletionBox)
};

QString completionText(const RunReport& report) {
    QString text =
        CompletionMessage(report) + u'\n' +
        WithOutcomeCounts(
            CompletionBox::tr(
                "失败 %1 个，已分拣 %2 个，因同名未处理 %3 个，内容相同 %4 个，已过滤 %5 个，不符合条件 %6 个。"),
            report);
    if (report.stopped) {
        text += u'\n' + CompletionBox::tr("分拣已停止，有 %n 个文件未处理。", nullptr, report.notReached);
    }
    return text;
}

QString detailsText(const RunReport& report) {
    QStringList lines;
    if (!report.failures.isEmpty()) {
        lines.append(CompletionBox::tr("复制或删除失败的文件："));
        for (const FailedFile& failure : report.failures) {
            lines.append(CompletionBox::tr("%1：%2").arg(DisplayText(failure.path), FailureReasonText(failure.reason)));
        }
    }
    if (!report.onlyCopies.isEmpty()) {
        lines.append(CompletionBox::tr("以下文件移动时，原文件名已指向另一个文件，该文件已保留；"
                                       "分拣出的文件是原文件仅有的一份："));
        for (const QByteArray& path : report.onlyCopies) {
            lines.append(DisplayText(path));
        }
    }
    if (!report.keptAtSource.isEmpty()) {
        lines.append(CompletionBox::tr("以下文件的内容已在目标位置，未移动，仍在原处："));
        for (const QByteArray& path : report.keptAtSource) {
            lines.append(DisplayText(path));
        }
    }
    if (report.birthTimeFallbacks > 0) {
        lines.append(CompletionBox::tr("有 %n 个文件的创建时间未被文件系统记录，已按修改时间比较。", nullptr,
                                       report.birthTimeFallbacks));
    }
    if (!report.takenDateFallbacks.isEmpty()) {
        lines.append(CompletionBox::tr("有 %n 个文件没有记录拍摄时间，已按修改时间处理：", nullptr,
                                       int(report.takenDateFallbacks.size())));
        for (const QByteArray& path : report.takenDateFallbacks) {
            lines.append(CompletionBox::tr("%1：%2").arg(DisplayText(path), TakenDateFallbackText()));
        }
    }
    return lines.join(u'\n');
}

} // namespace

void ShowCompletionBox(QWidget* parent, const RunReport& report, const QByteArray& outputFolder) {
    QMessageBox box(QMessageBox::Information, kApplicationTitle, completionText(report), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // Detailed text is always shown as plain text.
    box.setDetailedText(detailsText(report));
    QPushButton* openFolder = nullptr;
    if (Fs::ReachesFolder(outputFolder)) {
        openFolder = box.addButton(CompletionBox::tr("打开输出文件夹"), QMessageBox::ActionRole);
        openFolder->setObjectName(QStringLiteral("BtnOpenOutDir"));
    }
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    if (openFolder && box.clickedButton() == openFolder) {
        OpenFolderInFileManager(parent, outputFolder);
    }
}

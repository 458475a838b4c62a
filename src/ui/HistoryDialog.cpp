#include "ui/HistoryDialog.h"

#include "core/TextBytes.h"
#include "journal/UndoResult.h"
#include "ui/MessageBoxes.h"
#include "ui/PreviewDialog.h"
#include "ui/UndoBoxes.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
enum Column { TimeColumn, PageColumn, ModeColumn, FilesColumn, CountsColumn, StateColumn, OutputColumn, ColumnCount };

bool canUndo(const RunSummary& run) {
    return run.state != RunState::Undone && run.state != RunState::Running;
}

PlanAction placingAction(const JournalStep& step) {
    switch (step.nameUse) {
    case NameUse::Replace:
        return PlanAction::Replace;
    case NameUse::Number:
        return PlanAction::Number;
    case NameUse::Free:
        break;
    }
    return step.transfer == Transfer::Move ? PlanAction::Move : PlanAction::Copy;
}

// What became of a step, after the run and any undo of it.
QString stepNote(const JournalStep& step) {
    if (step.undone) {
        return HistoryDialog::tr("已撤销");
    }
    if (const std::optional<UndoReason> reason = UndoReasonOfCode(step.leftBecause)) {
        return HistoryDialog::tr("未能撤销：%1").arg(UndoReasonText(*reason));
    }
    if (step.failed) {
        return HistoryDialog::tr("未完成");
    }
    return step.written ? QString() : HistoryDialog::tr("记录不完整");
}

// The placements of a run's journal as the preview's table shows steps, and what became of each.
std::pair<QList<PlanStep>, QStringList> placementsOf(const JournalContent& content) {
    QList<PlanStep> steps;
    QStringList notes;
    for (const JournalStep& step : content.steps) {
        if (!step.isFolder) {
            steps.append(
                {step.source, step.target, step.failed ? PlanAction::Refused : placingAction(step), std::nullopt});
            notes.append(stepNote(step));
        }
    }
    return {steps, notes};
}
} // namespace

HistoryDialog::HistoryDialog(JournalFolder folder, QStringList pageNames, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_pageNames(std::move(pageNames)),
      GridRuns(new QTableWidget(0, ColumnCount, this)), BtnUndoRun(new QPushButton(tr("撤销"), this)),
      BtnHistoryClose(new QPushButton(tr("关闭"), this)) {
    setObjectName(u"TfrmHistory"_s);
    setWindowTitle(tr("分拣记录") + u" - "_s + kApplicationTitle);
    GridRuns->setObjectName(u"GridRuns"_s);
    BtnUndoRun->setObjectName(u"BtnUndoRun"_s);
    BtnHistoryClose->setObjectName(u"BtnHistoryClose"_s);

    GridRuns->setHorizontalHeaderLabels(
        {tr("时间"), tr("分拣方式"), tr("移动或复制"), tr("文件数"), tr("结果"), tr("状态"), tr("输出文件夹")});
    GridRuns->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridRuns->setSelectionMode(QAbstractItemView::SingleSelection);
    GridRuns->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridRuns->setWordWrap(false);
    GridRuns->verticalHeader()->hide();
    GridRuns->horizontalHeader()->setStretchLastSection(true);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(BtnUndoRun);
    buttonRow->addWidget(BtnHistoryClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GridRuns, 1);
    layout->addLayout(buttonRow);
    resize(860, 360);

    BtnHistoryClose->setDefault(true);
    connect(GridRuns, &QTableWidget::itemSelectionChanged, this, &HistoryDialog::GridRunsSelectionChange);
    connect(GridRuns, &QTableWidget::cellDoubleClicked, this, &HistoryDialog::showRunSteps);
    connect(BtnUndoRun, &QPushButton::clicked, this, &HistoryDialog::BtnUndoRunClick);
    connect(BtnHistoryClose, &QPushButton::clicked, this, &QDialog::reject);
    showRuns();
}

QString HistoryDialog::pageName(const RunSummary& run) const {
    return m_pageNames.value(int(run.header.page));
}

void HistoryDialog::showRuns(const QByteArray& selectedId) {
    m_runs = ListRuns(m_folder);
    GridRuns->clearContents();
    GridRuns->setRowCount(int(m_runs.size()));
    int selectedRow = 0;
    for (int row = 0; row < m_runs.size(); ++row) {
        const RunSummary& run = m_runs[row];
        QString counts;
        if (run.counts) {
            counts = tr("已分拣 %1，失败 %2，因同名未处理 %3，不符合条件 %4")
                         .arg(run.counts->placed)
                         .arg(run.counts->failed)
                         .arg(run.counts->left)
                         .arg(run.counts->notMatching);
        }
        QString state = RunStateText(run.state);
        if (run.state == RunState::PartlyUndone) {
            state += tr("（剩 %n 项）", nullptr, run.leftByUndo);
        }
        if (run.undoUnfinished) {
            state += tr("（撤销未完成）");
        }
        const QStringList cells = {run.startTime().toString(u"yyyy-MM-dd HH:mm:ss"_s),
                                   pageName(run),
                                   run.header.move ? tr("移动") : tr("复制"),
                                   QString::number(run.header.listSize),
                                   counts,
                                   state,
                                   DisplayText(run.header.outputFolder)};
        for (int column = 0; column < ColumnCount; ++column) {
            GridRuns->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
        if (run.id == selectedId) {
            selectedRow = row;
        }
    }
    GridRuns->resizeColumnsToContents();
    if (!m_runs.isEmpty()) {
        GridRuns->selectRow(selectedRow);
    }
    GridRunsSelectionChange();
}

const RunSummary* HistoryDialog::selectedRun() const {
    const QList<QTableWidgetSelectionRange> ranges = GridRuns->selectedRanges();
    if (ranges.isEmpty() || ranges.first().topRow() >= m_runs.size()) {
        return nullptr;
    }
    return &m_runs[ranges.first().topRow()];
}

void HistoryDialog::GridRunsSelectionChange() {
    const RunSummary* run = selectedRun();
    BtnUndoRun->setEnabled(run && canUndo(*run));
}

void HistoryDialog::showRunSteps(int row) {
    if (row < 0 || row >= m_runs.size()) {
        return;
    }
    const RunSummary run = m_runs[row];
    const std::optional<JournalContent> content = ReadRunJournal(m_folder, run.id);
    if (!content || !content->readable) {
        ShowWarning(this, tr("这次分拣的记录无法读取。"));
        return;
    }
    auto [placements, notes] = placementsOf(*content);
    PreviewDialog steps({std::move(placements), {}}, this);
    steps.showAsRecord(tr("分拣步骤") + u" - "_s + kApplicationTitle, RunDescription(run, pageName(run)),
                       std::move(notes));
    steps.exec();
}

void HistoryDialog::BtnUndoRunClick() {
    const RunSummary* run = selectedRun();
    if (!run || !canUndo(*run)) {
        return;
    }
    const RunSummary chosen = *run;
    AskAndUndo(this, m_folder, chosen, m_pageNames);
    showRuns(chosen.id);
}

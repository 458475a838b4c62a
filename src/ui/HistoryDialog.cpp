#include "ui/HistoryDialog.h"

#include "core/TextBytes.h"
#include "journal/UndoResult.h"
#include "ui/MessageBoxes.h"
#include "ui/PreviewDialog.h"
#include "ui/UndoBoxes.h"

#include "ui_HistoryDialog.h"

using namespace Qt::StringLiterals;

namespace {
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
    : QDialog(parent), m_ui(std::make_unique<Ui::HistoryDialog>()), m_folder(std::move(folder)),
      m_pageNames(std::move(pageNames)) {
    m_ui->setupUi(this);
    setWindowTitle(tr("分拣记录") + u" - "_s + kApplicationTitle);

    connect(m_ui->GridRuns, &QTableWidget::itemSelectionChanged, this, &HistoryDialog::selectedRunChanged);
    connect(m_ui->GridRuns, &QTableWidget::cellDoubleClicked, this, &HistoryDialog::showRunSteps);
    connect(m_ui->BtnUndoRun, &QPushButton::clicked, this, &HistoryDialog::undoRunClicked);
    connect(m_ui->BtnHistoryClose, &QPushButton::clicked, this, &QDialog::reject);
    showRuns();
}

HistoryDialog::~HistoryDialog() = default;

QTableWidget& HistoryDialog::runTable() const {
    return *m_ui->GridRuns;
}

QPushButton& HistoryDialog::undoButton() const {
    return *m_ui->BtnUndoRun;
}

QString HistoryDialog::pageName(const RunSummary& run) const {
    return m_pageNames.value(int(run.header.page));
}

void HistoryDialog::showRuns(const QByteArray& selectedId) {
    m_runs = ListRuns(m_folder);
    runTable().clearContents();
    runTable().setRowCount(int(m_runs.size()));
    int selectedRow = 0;
    for (int row = 0; row < m_runs.size(); ++row) {
        const RunSummary& run = m_runs[row];
        QString counts;
        if (run.counts) {
            // A journal written before filtered files were counted on their own counts them as not matching.
            const std::optional<int> filtered = run.counts->filtered;
            // One written before files of the same bytes were recognised has no count of them.
            const std::optional<int> identical = run.counts->identical;
            counts = tr("失败 %1，已分拣 %2，因同名未处理 %3，内容相同 %4，已过滤 %5，不符合条件 %6")
                         .arg(run.counts->failed)
                         .arg(run.counts->placed)
                         .arg(run.counts->left)
                         .arg(identical ? QString::number(*identical) : u"-"_s)
                         .arg(filtered ? QString::number(*filtered) : u"-"_s)
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
        for (int column = 0; column < cells.size(); ++column) {
            runTable().setItem(row, column, new QTableWidgetItem(cells[column]));
        }
        if (run.id == selectedId) {
            selectedRow = row;
        }
    }
    runTable().resizeColumnsToContents();
    if (!m_runs.isEmpty()) {
        runTable().selectRow(selectedRow);
    }
    selectedRunChanged();
}

const RunSummary* HistoryDialog::selectedRun() const {
    const QList<QTableWidgetSelectionRange> ranges = runTable().selectedRanges();
    if (ranges.isEmpty() || ranges.first().topRow() >= m_runs.size()) {
        return nullptr;
    }
    return &m_runs[ranges.first().topRow()];
}

void HistoryDialog::selectedRunChanged() {
    const RunSummary* run = selectedRun();
    undoButton().setEnabled(run && CanBeUndone(*run));
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
    PreviewDialog steps({std::move(placements), {}, run.header.outputFolder}, this);
    steps.showAsRecord(tr("分拣步骤") + u" - "_s + kApplicationTitle, DescribeRun(run, pageName(run)),
                       std::move(notes));
    steps.exec();
}

void HistoryDialog::undoRunClicked() {
    const RunSummary* run = selectedRun();
    if (!run || !CanBeUndone(*run)) {
        return;
    }
    const RunSummary chosen = *run;
    AskAndUndo(this, m_folder, chosen, m_pageNames);
    showRuns(chosen.id);
}

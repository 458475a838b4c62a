#include "ui/PreviewDialog.h"

#include "core/TextBytes.h"
#include "engine/BackgroundPlan.h"
#include "ui/MessageBoxes.h"
#include "ui/PlanTableModel.h"

#include "ui_PreviewDialog.h"

#include <QHeaderView>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {
constexpr int kAllSteps = -1;
constexpr int kPlanPollingMs = 50;

bool actsOnFiles(PlanAction action) {
    switch (action) {
    case PlanAction::Copy:
    case PlanAction::Move:
    case PlanAction::Replace:
    case PlanAction::Number:
    case PlanAction::Ask:
        return true;
    default:
        return false;
    }
}
} // namespace

PreviewDialog::PreviewDialog(SortPlan plan, QWidget* parent)
    : PreviewDialog(std::move(plan.steps), std::move(plan.outputFolder), parent) {
    showSummary(countsText(m_model->steps(), plan.outcomes));
}

PreviewDialog::PreviewDialog(std::unique_ptr<BackgroundPlan> plan, QWidget* parent)
    : PreviewDialog(QList<PlanStep>(), plan->outputFolder(), parent) {
    m_plan = std::move(plan);
    startButton().setEnabled(false);
    // Often enough that the table seems to fill as the plan goes, seldom enough that adding rows costs little.
    m_planPolling.setInterval(kPlanPollingMs);
    connect(&m_planPolling, &QTimer::timeout, this, &PreviewDialog::takePlannedSteps);
    m_planPolling.start();
    takePlannedSteps();
}

PreviewDialog::PreviewDialog(QList<PlanStep> steps, QByteArray outputFolder, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PreviewDialog>()) {
    m_ui->setupUi(this);
    setWindowTitle(tr("分拣预览") + u" - "_s + kApplicationTitle);
    actionFilter().addItem(tr("全部步骤"), kAllSteps);
    for (const PlanAction action : kPlanActionsInOutcomeOrder) {
        actionFilter().addItem(PlanActionWord(action), int(action));
    }
    m_model = new PlanTableModel(std::move(steps), std::move(outputFolder), this);
    setUpTable();

    connect(m_ui->CmbPlanFilter, &QComboBox::currentIndexChanged, this, &PreviewDialog::actionFilterChanged);
    connect(m_ui->BtnPlanRun, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->BtnPlanClose, &QPushButton::clicked, this, &QDialog::reject);
}

// The plan's thread ends with the plan, after the file it is at.
PreviewDialog::~PreviewDialog() = default;

void PreviewDialog::reject() {
    if (m_plan) {
        m_planPolling.stop();
        m_plan->stop();
    }
    QDialog::reject();
}

void PreviewDialog::takePlannedSteps() {
    BackgroundPlan::Progress progress = m_plan->take();
    m_model->appendSteps(std::move(progress.steps));
    if (!progress.outcomes) {
        showSummary(tr("正在预览：已查看 %1 / %2 个文件……").arg(progress.filesLooked).arg(m_plan->fileCount()));
        return;
    }
    m_planPolling.stop();
    showSummary(countsText(m_model->steps(), *progress.outcomes));
    startButton().setEnabled(true);
}

QLabel& PreviewDialog::summaryLine() const {
    return *m_ui->LblPlanSummary;
}

QComboBox& PreviewDialog::actionFilter() const {
    return *m_ui->CmbPlanFilter;
}

QPushButton& PreviewDialog::startButton() const {
    return *m_ui->BtnPlanRun;
}

void PreviewDialog::setUpTable() {
    QTableView& table = *m_ui->GridPlan;
    table.setModel(m_model);
    // Rows of one height and columns of set widths: the view never measures the cells of a long plan.
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 6);
    QHeaderView& columns = *table.horizontalHeader();
    columns.setSectionResizeMode(QHeaderView::Interactive);
    columns.resizeSection(PlanTableModel::SourceColumn, 260);
    columns.resizeSection(PlanTableModel::TargetColumn, 260);
    // As wide as the longest action word in the user's language, with the cell's margins.
    int actionWidth = columns.sectionSizeHint(PlanTableModel::ActionColumn);
    for (int action = 0; action < PlanActionCount; ++action) {
        actionWidth =
            std::max(actionWidth, table.fontMetrics().horizontalAdvance(PlanActionWord(PlanAction(action))) + 12);
    }
    columns.resizeSection(PlanTableModel::ActionColumn, actionWidth);
}

void PreviewDialog::showAsRecord(const QString& title, const QString& summary, QStringList notes) {
    setWindowTitle(title);
    m_model->setNotes(std::move(notes));
    showSummary(summary);
    startButton().hide();
}

void PreviewDialog::showSummary(const QString& summary) {
    const QByteArray& outputFolder = m_model->outputFolder();
    summaryLine().setText(
        outputFolder.isEmpty() ? summary : tr("输出文件夹：%1").arg(DisplayText(outputFolder)) + u'\n' + summary);
}

void PreviewDialog::actionFilterChanged() {
    const int action = actionFilter().currentData().toInt();
    m_model->showOnly(action == kAllSteps ? std::nullopt : std::optional(PlanAction(action)));
}

QString PreviewDialog::countsText(const QList<PlanStep>& steps, const RunReport& outcomes) {
    std::array<int, PlanActionCount> counts{};
    for (const PlanStep& step : steps) {
        ++counts[int(step.action)];
    }
    QStringList actionCounts;
    bool anythingToDo = false;
    for (const PlanAction action : kPlanActionsInOutcomeOrder) {
        if (counts[int(action)] > 0) {
            actionCounts.append(tr("%1 %2 个").arg(PlanActionWord(action)).arg(counts[int(action)]));
            anythingToDo = anythingToDo || actsOnFiles(action);
        }
    }
    QString firstLine = actionCounts.join(tr("，")) + tr("。");
    if (!anythingToDo) {
        firstLine =
            tr("没有要处理的文件：这次分拣不会复制或移动任何文件。") + (actionCounts.isEmpty() ? QString() : firstLine);
    }
    return firstLine + u'\n' +
           WithOutcomeCounts(
               tr("无法处理 %1 个，将分拣 %2 个，因同名不处理 %3 个，内容相同 %4 个，已过滤 %5 个，不符合条件 %6 个。"),
               outcomes);
}

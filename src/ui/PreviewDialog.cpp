#include "ui/PreviewDialog.h"

#include "ui/MessageBoxes.h"
#include "ui/PlanTableModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {
constexpr int kAllSteps = -1;

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
    : QDialog(parent), GridPlan(new QTableView(this)), LblPlanSummary(new QLabel(this)),
      CmbPlanFilter(new QComboBox(this)), BtnPlanRun(new QPushButton(tr("开始处理"), this)),
      BtnPlanClose(new QPushButton(tr("关闭"), this)) {
    setObjectName(u"TfrmPreview"_s);
    setWindowTitle(tr("分拣预览") + u" - "_s + kApplicationTitle);
    GridPlan->setObjectName(u"GridPlan"_s);
    LblPlanSummary->setObjectName(u"LblPlanSummary"_s);
    CmbPlanFilter->setObjectName(u"CmbPlanFilter"_s);
    BtnPlanRun->setObjectName(u"BtnPlanRun"_s);
    BtnPlanClose->setObjectName(u"BtnPlanClose"_s);

    LblPlanSummary->setTextFormat(Qt::PlainText);
    LblPlanSummary->setWordWrap(true);
    LblPlanSummary->setText(summaryText(plan));

    CmbPlanFilter->addItem(tr("全部步骤"), kAllSteps);
    for (int action = 0; action < PlanActionCount; ++action) {
        CmbPlanFilter->addItem(PlanActionWord(PlanAction(action)), action);
    }

    m_model = new PlanTableModel(std::move(plan.steps), this);
    GridPlan->setModel(m_model);
    GridPlan->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridPlan->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridPlan->setWordWrap(false);
    GridPlan->setTextElideMode(Qt::ElideMiddle);
    // Rows of one height and columns of set widths: the view never measures the cells of a long plan.
    GridPlan->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    GridPlan->verticalHeader()->setDefaultSectionSize(GridPlan->fontMetrics().height() + 6);
    GridPlan->verticalHeader()->hide();
    QHeaderView& columns = *GridPlan->horizontalHeader();
    columns.setSectionResizeMode(QHeaderView::Interactive);
    columns.setStretchLastSection(true);
    columns.resizeSection(PlanTableModel::SourceColumn, 300);
    columns.resizeSection(PlanTableModel::TargetColumn, 300);
    // As wide as the longest action word in the user's language, with the cell's margins.
    int actionWidth = columns.sectionSizeHint(PlanTableModel::ActionColumn);
    for (int action = 0; action < PlanActionCount; ++action) {
        actionWidth =
            std::max(actionWidth, GridPlan->fontMetrics().horizontalAdvance(PlanActionWord(PlanAction(action))) + 12);
    }
    columns.resizeSection(PlanTableModel::ActionColumn, actionWidth);

    auto* filterRow = new QHBoxLayout;
    auto* filterLabel = new QLabel(tr("显示："), this);
    filterLabel->setBuddy(CmbPlanFilter);
    filterRow->addWidget(LblPlanSummary, 1);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(CmbPlanFilter);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(BtnPlanRun);
    buttonRow->addWidget(BtnPlanClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(GridPlan, 1);
    layout->addLayout(buttonRow);
    resize(1000, 520);

    BtnPlanClose->setDefault(true);
    connect(CmbPlanFilter, &QComboBox::currentIndexChanged, this, &PreviewDialog::CmbPlanFilterChange);
    connect(BtnPlanRun, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnPlanClose, &QPushButton::clicked, this, &QDialog::reject);
}

void PreviewDialog::showAsRecord(const QString& title, const QString& summary, QStringList notes) {
    setWindowTitle(title);
    m_model->setNotes(std::move(notes));
    LblPlanSummary->setText(summary);
    BtnPlanRun->hide();
}

void PreviewDialog::CmbPlanFilterChange() {
    const int action = CmbPlanFilter->currentData().toInt();
    m_model->showOnly(action == kAllSteps ? std::nullopt : std::optional(PlanAction(action)));
}

QString PreviewDialog::summaryText(const SortPlan& plan) {
    std::array<int, PlanActionCount> counts{};
    for (const PlanStep& step : plan.steps) {
        ++counts[int(step.action)];
    }
    QStringList actionCounts;
    bool anythingToDo = false;
    for (int action = 0; action < PlanActionCount; ++action) {
        if (counts[action] > 0) {
            actionCounts.append(tr("%1 %2 个").arg(PlanActionWord(PlanAction(action))).arg(counts[action]));
            anythingToDo = anythingToDo || actsOnFiles(PlanAction(action));
        }
    }
    const RunReport& outcomes = plan.outcomes;
    QString firstLine = actionCounts.join(tr("，")) + tr("。");
    if (!anythingToDo) {
        firstLine =
            tr("没有要处理的文件：这次分拣不会复制或移动任何文件。") + (actionCounts.isEmpty() ? QString() : firstLine);
    }
    return firstLine + u'\n' +
           tr("无法处理 %1 个，将分拣 %2 个，因同名不处理 %3 个，不符合条件 %4 个。")
               .arg(outcomes.failed)
               .arg(outcomes.placed)
               .arg(outcomes.left)
               .arg(outcomes.notMatching);
}

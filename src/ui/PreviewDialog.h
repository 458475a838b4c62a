#pragma once

#include "engine/SortPlan.h"

#include <QDialog>

class PlanTableModel;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

// The preview of a run: its plan step by step, the count of each action, a choice to show one action only, and the
// buttons to start the run as planned or to close. Accepted means: start the run.
class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreviewDialog(SortPlan plan, QWidget* parent = nullptr);

    // The summary line of plan: the count of each action, or that there is nothing to do; then the listed files in
    // the completion box's four outcomes.
    static QString summaryText(const SortPlan& plan);

    // Shows the steps as a record of what was done, read only: the window's title, summary line and a note for each
    // step are given, and there is no starting a run from it.
    void showAsRecord(const QString& title, const QString& summary, QStringList notes);

private:
    void CmbPlanFilterChange();

    PlanTableModel* m_model;
    QTableView* GridPlan;
    QLabel* LblPlanSummary;
    QComboBox* CmbPlanFilter;
    QPushButton* BtnPlanRun;
    QPushButton* BtnPlanClose;
};

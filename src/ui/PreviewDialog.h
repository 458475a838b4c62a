#pragma once

#include "engine/SortPlan.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class BackgroundPlan;
class PlanTableModel;
class QComboBox;
class QLabel;
class QPushButton;
namespace Ui {
class PreviewDialog;
}

// The preview of a run: its output folder, its plan step by step, the count of each action, a choice to show one
// action only, and the buttons to start the run as planned or to close. Accepted means: start the run.
class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    // Shows a plan that is complete.
    explicit PreviewDialog(SortPlan plan, QWidget* parent = nullptr);
    // Shows a plan as it goes on: the table fills a part at a time under a line that counts the files looked at, and
    // the counts and the start button come once the plan is complete. Closing ends the plan.
    explicit PreviewDialog(std::unique_ptr<BackgroundPlan> plan, QWidget* parent = nullptr);
    ~PreviewDialog() override;

    void reject() override;

    // Shows the steps as a record of what was done, read only: the window's title, summary line and a note for each
    // step are given, and there is no starting a run from it.
    void showAsRecord(const QString& title, const QString& summary, QStringList notes);

private:
    PreviewDialog(QList<PlanStep> steps, QByteArray outputFolder, QWidget* parent);
    // The counts of a plan's steps: the count of each action, or that there is nothing to do; then the listed files
    // in the completion box's outcomes.
    static QString countsText(const QList<PlanStep>& steps, const RunReport& outcomes);
    // Adds what the plan under way did since the last time to the table and the line above it.
    void takePlannedSteps();
    // Shows summary under the line that names the output folder, where the plan knows it.
    void showSummary(const QString& summary);
    // Puts the model into the table and sizes its rows and columns.
    void setUpTable();
    void actionFilterChanged();
    QLabel& summaryLine() const;
    QComboBox& actionFilter() const;
    QPushButton& startButton() const;

    std::unique_ptr<Ui::PreviewDialog> m_ui;
    PlanTableModel* m_model;
    std::unique_ptr<BackgroundPlan> m_plan; // the plan under way, when there is one
    QTimer m_planPolling;
};

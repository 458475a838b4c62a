#pragma once

#include "engine/SortPlan.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <optional>

// The steps of a plan as a table: source, target, action, and why the step is what it is (PlanStepReasonText). A
// source is shown from the folder that all sources share and a target from the output folder, so that the part of
// each path that differs is what the table shows; each cell's tooltip holds the whole path. The table shows every
// step or the steps of one action. Paths are decoded for display only, cell by cell as the view asks, so that a plan
// of a hundred thousand steps opens at once. Steps may come in parts, as a plan goes on.
class PlanTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { SourceColumn, TargetColumn, ActionColumn, ReasonColumn, ColumnCount };

    // outputFolder: where the targets lie, ending in '/'; empty when not known (the targets are then shown whole).
    PlanTableModel(QList<PlanStep> steps, QByteArray outputFolder, QObject* parent = nullptr);

    const QByteArray& outputFolder() const { return m_outputFolder; }
    const QList<PlanStep>& steps() const { return m_steps; }
    // Adds steps after the last, as rows of the table where they are shown.
    void appendSteps(QList<PlanStep> steps);
    // What the reason column says of each step, by its index, where the step has no failure reason.
    void setNotes(QStringList notes);
    // Shows only the steps of action, or every step.
    void showOnly(std::optional<PlanAction> action);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    int stepIndex(int row) const;
    QString reasonText(int step) const;

    QList<PlanStep> m_steps;
    QByteArray m_outputFolder;
    QByteArray m_sourceFolder; // the folder that holds every source, ending in '/'
    QStringList m_notes;
    std::optional<PlanAction> m_shown;
    QList<int> m_shownRows; // the steps shown, when only one action is
};

#include "ui/PlanTableModel.h"

#include "core/TextBytes.h"

#include <QCoreApplication>

PlanTableModel::PlanTableModel(QList<PlanStep> steps, QObject* parent)
    : QAbstractTableModel(parent), m_steps(std::move(steps)) {}

void PlanTableModel::showOnly(std::optional<PlanAction> action) {
    beginResetModel();
    m_shown = action;
    m_shownRows.clear();
    if (action) {
        for (int step = 0; step < m_steps.size(); ++step) {
            if (m_steps[step].action == *action) {
                m_shownRows.append(step);
            }
        }
    }
    endResetModel();
}

void PlanTableModel::setNotes(QStringList notes) {
    beginResetModel();
    m_notes = std::move(notes);
    endResetModel();
}

const PlanStep& PlanTableModel::stepAt(int row) const {
    return m_steps[m_shown ? m_shownRows[row] : row];
}

int PlanTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return m_shown ? int(m_shownRows.size()) : int(m_steps.size());
}

int PlanTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PlanTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    const PlanStep& step = stepAt(index.row());
    switch (index.column()) {
    case SourceColumn:
        return DisplayText(step.source);
    case TargetColumn:
        return DisplayText(step.target);
    case ActionColumn:
        return PlanActionWord(step.action);
    case ReasonColumn:
        return step.reason ? FailureReasonText(*step.reason)
                           : m_notes.value(m_shown ? m_shownRows[index.row()] : index.row());
    }
    return {};
}

QVariant PlanTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case SourceColumn:
        return QCoreApplication::translate("PlanTableModel", "源文件");
    case TargetColumn:
        return QCoreApplication::translate("PlanTableModel", "目标文件");
    case ActionColumn:
        return QCoreApplication::translate("PlanTableModel", "动作");
    case ReasonColumn:
        return QCoreApplication::translate("PlanTableModel", "说明");
    }
    return {};
}

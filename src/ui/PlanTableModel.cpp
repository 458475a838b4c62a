#include "ui/PlanTableModel.h"

#include "core/FileNames.h"
#include "core/TextBytes.h"

#include <QCoreApplication>

PlanTableModel::PlanTableModel(QList<PlanStep> steps, QByteArray outputFolder, QObject* parent)
    : QAbstractTableModel(parent), m_outputFolder(std::move(outputFolder)) {
    appendSteps(std::move(steps));
}

void PlanTableModel::appendSteps(QList<PlanStep> steps) {
    if (steps.isEmpty()) {
        return;
    }
    const QByteArray sourceFolderBefore = m_sourceFolder;
    if (m_steps.isEmpty()) {
        m_sourceFolder = steps.first().source;
    }
    for (const PlanStep& step : std::as_const(steps)) {
        m_sourceFolder = SharedFolder(m_sourceFolder, step.source);
    }
    if (m_sourceFolder != sourceFolderBefore && rowCount() > 0) {
        // The rows shown already show their sources from a folder that now holds fewer of them.
        emit dataChanged(index(0, SourceColumn), index(rowCount() - 1, SourceColumn));
    }
    QList<int> shownRows;
    if (m_shown) {
        for (int step = 0; step < steps.size(); ++step) {
            if (steps[step].action == *m_shown) {
                shownRows.append(int(m_steps.size()) + step);
            }
        }
    }
    const int added = m_shown ? int(shownRows.size()) : int(steps.size());
    if (added > 0) {
        beginInsertRows({}, rowCount(), rowCount() + added - 1);
    }
    m_steps.append(std::move(steps));
    m_shownRows.append(std::move(shownRows));
    if (added > 0) {
        endInsertRows();
    }
}

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

int PlanTableModel::stepIndex(int row) const {
    return m_shown ? m_shownRows[row] : row;
}

QString PlanTableModel::reasonText(int step) const {
    const QString note = m_steps[step].reason ? QString() : m_notes.value(step);
    return note.isEmpty() ? PlanStepReasonText(m_steps[step]) : note;
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
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid()) {
        return {};
    }
    const int stepNumber = stepIndex(index.row());
    const PlanStep& step = m_steps[stepNumber];
    const bool whole = role == Qt::ToolTipRole;
    switch (index.column()) {
    case SourceColumn:
        return DisplayText(whole ? step.source : PathBelow(m_sourceFolder, step.source));
    case TargetColumn:
        return DisplayText(whole ? step.target : PathBelow(m_outputFolder, step.target));
    case ActionColumn:
        return whole ? QVariant() : PlanActionWord(step.action);
    case ReasonColumn:
        return reasonText(stepNumber);
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

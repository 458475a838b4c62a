#pragma once

#include "journal/History.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class QPushButton;
class QTableWidget;
namespace Ui {
class HistoryDialog;
}

// The journaled runs, newest first, each with its start, page, copy or move, counts, state and output folder; the
// selected run can be undone from here, and a run's steps open in the preview's table by a double click.
class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    // pageNames: the criterion pages' names in page order, as the main window shows them.
    HistoryDialog(JournalFolder folder, QStringList pageNames, QWidget* parent = nullptr);
    ~HistoryDialog() override;

private:
    void undoRunClicked();
    void selectedRunChanged();
    // Shows the placements of the run in row, with what became of each, read only.
    void showRunSteps(int row);
    // Reads the runs afresh and selects the run id where it is still listed, otherwise the newest.
    void showRuns(const QByteArray& selectedId = {});
    QString pageName(const RunSummary& run) const;
    const RunSummary* selectedRun() const;
    QTableWidget& runTable() const;
    QPushButton& undoButton() const;

    std::unique_ptr<Ui::HistoryDialog> m_ui;
    JournalFolder m_folder;
    QStringList m_pageNames;
    QList<RunSummary> m_runs;
};

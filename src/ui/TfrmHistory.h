#pragma once

#include "journal/History.h"

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTableWidget;

// The journaled runs, newest first, each with its start, page, copy or move, counts and state; the selected run can
// be undone from here.
class TfrmHistory : public QDialog {
    Q_OBJECT
public:
    // pageNames: the criterion pages' names in page order, as the main window shows them.
    TfrmHistory(JournalFolder folder, QStringList pageNames, QWidget* parent = nullptr);

private:
    void BtnUndoRunClick();
    void GridRunsSelectionChange();
    // Reads the runs afresh and selects the run id where it is still listed, otherwise the newest.
    void showRuns(const QByteArray& selectedId = {});
    QString pageName(const RunSummary& run) const;
    const RunSummary* selectedRun() const;

    JournalFolder m_folder;
    QStringList m_pageNames;
    QList<RunSummary> m_runs;
    QTableWidget* GridRuns;
    QPushButton* BtnUndoRun;
    QPushButton* BtnHistoryClose;
};

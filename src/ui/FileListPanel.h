#pragma once

#include "ui/MainWindowControls.h"

#include <QObject>

class FileListModel;
class QAction;
class QDropEvent;
class QMenu;
class QPoint;
class QWidget;
class WindowScanHost;

// The file list of the main window (group 要分拣的文件): ListBox1 with its buttons, dropped files, the count of
// entries (LblFileCount), the Delete key and a context menu. The key and the menu's entries that change the list act
// only while their buttons are enabled, so the run lock, which disables the buttons, locks them too. The window owns it
// and ends it before its controls.
class FileListPanel : public QObject {
    Q_OBJECT
public:
    FileListPanel(QWidget& window, const FileListControls& controls, FileListModel& files, WindowScanHost& scanHost);

signals:
    // A list file was imported, or its import was stopped because the window is closing.
    void importEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void addFilesClicked();
    void removeFileClicked();
    void clearListClicked();
    void exportListClicked();
    void importListClicked();
    void contextMenuRequested(const QPoint& position);
    void openContainingFolder();

private:
    // Takes the files of a drag that comes over the list or is dropped on it.
    bool filesDragged(QDropEvent& drag);
    void showFileCount();
    // The path of the selected entry; empty when nothing is selected.
    QByteArray selectedPath() const;

    QWidget& m_window;
    const FileListControls m_controls;
    FileListModel& m_files;
    WindowScanHost& m_scanHost;
    QMenu* m_menu;
    QAction* m_remove;
    QAction* m_clear;
    QAction* m_openFolder;
};

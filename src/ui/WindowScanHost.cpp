#include "ui/WindowScanHost.h"

#include "ui_TForm1.h"

#include <QGuiApplication>

WindowScanHost::WindowScanHost(Ui::TForm1& ui, FileListModel& files, std::function<bool()> stopRequested)
    : m_ui(ui), m_files(files), m_stopRequested(std::move(stopRequested)) {}

void WindowScanHost::scan(const FolderScanRequest& request) {
    m_scanning = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ScanChosenFolder(request, m_files, *this);
    QGuiApplication::restoreOverrideCursor();
    m_scanning = false;
}

void WindowScanHost::processEvents() {
    QCoreApplication::processEvents();
}

void WindowScanHost::repaintFileList() {
    m_ui.ListBox1->viewport()->repaint();
}

bool WindowScanHost::stopRequested() const {
    return m_stopRequested();
}

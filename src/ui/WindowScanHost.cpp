#include "ui/WindowScanHost.h"

#include "filelist/ListFile.h"
#include "ui/UnreadableFoldersBox.h"

#include <QAbstractItemView>
#include <QGuiApplication>

WindowScanHost::WindowScanHost(QAbstractItemView& fileList, FileListModel& files, std::function<bool()> stopRequested)
    : m_fileList(fileList), m_files(files), m_stopRequested(std::move(stopRequested)) {}

// Runs work under the busy cursor, with scanning() true meanwhile.
template <typename Work> auto WindowScanHost::busy(Work work) {
    m_scanning = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto result = work();
    QGuiApplication::restoreOverrideCursor();
    m_scanning = false;
    return result;
}

void WindowScanHost::scan(const FolderScanRequest& request) {
    const QList<UnreadableFolder> unreadable = busy([&] { return ScanChosenFolder(request, m_files, *this); });
    if (!unreadable.isEmpty() && !stopRequested()) {
        ShowUnreadableFolders(m_fileList.window(), unreadable);
    }
}

Fs::Error WindowScanHost::importList(const QByteArray& fileName) {
    return busy([&] { return ImportListFile(fileName, m_files, *this); });
}

void WindowScanHost::processEvents() {
    QCoreApplication::processEvents();
}

void WindowScanHost::repaintFileList() {
    m_fileList.viewport()->repaint();
}

bool WindowScanHost::stopRequested() const {
    return m_stopRequested();
}

#include "ui/WindowScanHost.h"

#include "filelist/FileListModel.h"
#include "filelist/ListFile.h"
#include "ui/UnreadableFoldersBox.h"

#include <QAbstractItemView>
#include <QCoreApplication>
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

QString WindowScanHost::scan(const FolderScanRequest& request) {
    const int listedBefore = m_files.size();
    const ChosenFolderScan found = busy([&] { return ScanChosenFolder(request, m_files, *this); });
    if (!found.unreadable.isEmpty() && !stopRequested()) {
        ShowUnreadableFolders(m_fileList.window(), found.unreadable);
    }
    const int added = m_files.size() - listedBefore;
    return QCoreApplication::translate("WindowScanHost", "添加了 %n 个文件", nullptr, added) +
           QCoreApplication::translate("WindowScanHost", "，%n 个已在列表中", nullptr, int(found.filesFound - added));
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

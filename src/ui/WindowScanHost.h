#pragma once

#include "core/FsError.h"
#include "filelist/FolderScan.h"

#include <functional>

class QAbstractItemView;

// A folder scan's view of the main window: the scan keeps the window responsive and shows what it adds as it goes.
class WindowScanHost final : public ScanHost {
public:
    // fileList shows files; stopRequested tells whether the window wants the scan to stop before the next folder.
    WindowScanHost(QAbstractItemView& fileList, FileListModel& files, std::function<bool()> stopRequested);

    // Adds the files the folder picker asked for to the list, under the busy cursor; scanning() is true until the
    // scan has ended. Then a box names the folders it could not read, unless the window is closing. Returns how many
    // files the scan found and how many of them were listed already, in words for the window's status line.
    QString scan(const FolderScanRequest& request);
    // Imports the list file at fileName the same way (see ImportListFile).
    Fs::Error importList(const QByteArray& fileName);
    bool scanning() const { return m_scanning; }

    void processEvents() override;
    void repaintFileList() override;
    bool stopRequested() const override;

private:
    template <typename Work> auto busy(Work work);

    QAbstractItemView& m_fileList;
    FileListModel& m_files;
    std::function<bool()> m_stopRequested;
    bool m_scanning = false;
};

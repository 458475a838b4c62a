#pragma once

#include "filelist/ScanHost.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QElapsedTimer>

class FileListModel;

// Appends gathered paths to the file list through AppendUnique one time slice at a time, and processes window
// events between slices. One insertion per slice, not per path or folder, keeps the list view from laying itself
// out again and again, while the list still fills visibly as the work goes on.
class SlicedAppender {
public:
    // showAsItGoes: repaint the list after each slice (the whole-tree scan).
    SlicedAppender(FileListModel& fileList, ScanHost& host, bool showAsItGoes, std::chrono::milliseconds timeSlice);

    // Appending is first come, first served, as a single AppendUnique of all the paths would be.
    void add(QByteArray path) { m_gathered.append(std::move(path)); }
    // Called after each path or line looked at. At the end of a time slice, appends what was gathered, shows it and
    // processes pending events. False once the window asks the work to stop.
    bool keepWindowResponsive();
    // Appends what was gathered and not appended yet.
    void appendGathered();

private:
    FileListModel& m_fileList;
    ScanHost& m_host;
    const bool m_showAsItGoes;
    const std::chrono::milliseconds m_timeSlice;
    QElapsedTimer m_sinceEvents;
    quint64 m_calls = 0;
    QByteArrayList m_gathered;
};

#pragma once

#include "filelist/ScanHost.h"

#include <QByteArrayView>
#include <QElapsedTimer>

class FileListModel;

// Appends gathered paths to the file list as AppendUnique does, and processes window events after every time slice.
// The paths are staged in the list at once; they become rows in few insertions: at the end of a slice once they
// are a quarter of the rows already shown, or a second has passed. Each insertion makes the list view lay out all
// its rows again, so inserting per slice or per folder would make a long list quadratic in time, while this keeps
// the layouts to a few times the rows and still shows the list filling as the work goes on.
class SlicedAppender {
public:
    // showAsItGoes: repaint the list after each slice (the whole-tree scan).
    SlicedAppender(FileListModel& fileList, ScanHost& host, bool showAsItGoes, std::chrono::milliseconds timeSlice);

    // First come, first served, as a single AppendUnique of all the paths would be.
    void add(QByteArrayView path);
    // Called after each path or line looked at. At the end of a time slice, shows what was gathered when it is time
    // to, and processes pending events. False once the window asks the work to stop.
    bool keepWindowResponsive();
    // Shows what was gathered and not shown yet.
    void showGathered();
    // How many paths add() was given, those already listed included.
    qint64 offered() const { return m_offered; }

private:
    FileListModel& m_fileList;
    ScanHost& m_host;
    const bool m_showAsItGoes;
    const std::chrono::milliseconds m_timeSlice;
    QElapsedTimer m_sinceEvents;
    QElapsedTimer m_sinceShown;
    quint64 m_calls = 0;
    qint64 m_offered = 0;
};

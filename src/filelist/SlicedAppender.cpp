#include "filelist/SlicedAppender.h"

#include "filelist/FileListModel.h"

SlicedAppender::SlicedAppender(FileListModel& fileList, ScanHost& host, bool showAsItGoes,
                               std::chrono::milliseconds timeSlice)
    : m_fileList(fileList), m_host(host), m_showAsItGoes(showAsItGoes), m_timeSlice(timeSlice) {
    m_sinceEvents.start();
}

bool SlicedAppender::keepWindowResponsive() {
    // Reading the clock costs more than a blank line of a list file does; every 64th call is often enough.
    if (++m_calls % 64 == 0 && m_sinceEvents.elapsed() >= m_timeSlice.count()) {
        appendGathered();
        if (m_showAsItGoes) {
            m_host.repaintFileList();
        }
        m_host.processEvents();
        m_sinceEvents.restart();
    }
    return !m_host.stopRequested();
}

void SlicedAppender::appendGathered() {
    m_fileList.AppendUnique(m_gathered);
    m_gathered.clear();
}

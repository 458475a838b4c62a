#include "filelist/SlicedAppender.h"

#include "filelist/FileListModel.h"

SlicedAppender::SlicedAppender(FileListModel& fileList, ScanHost& host, bool showAsItGoes,
                               std::chrono::milliseconds timeSlice)
    : m_fileList(fileList), m_host(host), m_showAsItGoes(showAsItGoes), m_timeSlice(timeSlice) {
    m_sinceEvents.start();
    m_sinceShown.start();
}

void SlicedAppender::add(QByteArrayView path) {
    ++m_offered;
    m_fileList.stageUnique(path);
}

bool SlicedAppender::keepWindowResponsive() {
    // Reading the clock costs more than a blank line of a list file does; every 64th call is often enough.
    if (++m_calls % 64 == 0 && m_sinceEvents.elapsed() >= m_timeSlice.count()) {
        if (4 * m_fileList.stagedCount() >= m_fileList.size() || m_sinceShown.elapsed() >= 1000) {
            showGathered();
            if (m_showAsItGoes) {
                m_host.repaintFileList();
            }
        }
        m_host.processEvents();
        m_sinceEvents.restart();
    }
    return !m_host.stopRequested();
}

void SlicedAppender::showGathered() {
    m_fileList.showStaged();
    m_sinceShown.restart();
}

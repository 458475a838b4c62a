#include "engine/SortContext.h"

#include "engine/RunHost.h"

#include <QFile>

SortContext::SortContext(RunHost& host) : m_host(host) {}

QByteArray SortContext::outputFolder() const {
    return QFile::encodeName(m_host.outputFolder());
}

void SortContext::place(const QByteArray& source, const QByteArray& destFolder) {
    m_lastResult = PlaceFile(source, destFolder, m_host);
    if (m_lastResult == PlaceResult::Failed) {
        m_failed = true;
    }
}

void SortContext::beginFile() {
    m_lastResult = PlaceResult::Declined;
    m_failed = false;
}

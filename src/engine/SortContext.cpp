#include "engine/SortContext.h"

#include "engine/RunHost.h"

#include <QFile>

SortContext::SortContext(RunHost& host) : m_host(host) {}

QByteArray SortContext::outputFolder() const {
    return QFile::encodeName(m_host.outputFolder());
}

void SortContext::place(const QByteArray& source, const QByteArray& destFolder) {
    const PlaceOutcome outcome = PlaceFile(source, destFolder, *this);
    m_lastResult = outcome.result;
    m_anyCopied = m_anyCopied || outcome.result == PlaceResult::Copied;
    if (outcome.result == PlaceResult::Failed) {
        noteFailure(outcome.error);
    }
}

void SortContext::beginFile() {
    m_lastResult = PlaceResult::Declined;
    m_anyCopied = false;
    m_firstFailure = {};
}

void SortContext::noteFailure(const Fs::Error& error) {
    if (!m_firstFailure.failed()) {
        m_firstFailure = error;
    }
}

RunOutcome SortContext::outcome() const {
    if (failed()) {
        return RunOutcome::Failed;
    }
    return m_anyCopied ? RunOutcome::Placed : RunOutcome::Left;
}

SameNamePolicy SortContext::sameNamePolicy() const {
    return m_host.sameNamePolicy();
}

bool SortContext::moveMode() const {
    return m_host.moveMode();
}

OverwriteAnswer SortContext::askOverwrite(const OverwriteQuestion& question) {
    if (m_answerToAll) {
        return *m_answerToAll;
    }
    const OverwriteAnswer answer = m_host.askOverwrite(question);
    if (answer == OverwriteAnswer::YesToAll || answer == OverwriteAnswer::NoToAll) {
        m_answerToAll = answer;
    }
    return answer;
}

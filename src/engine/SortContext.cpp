#include "engine/SortContext.h"

#include "engine/Interruption.h"
#include "engine/RunHost.h"
#include "engine/placement/PlacementActions.h"

SortContext::SortContext(RunHost& host, RunInputs inputs, PlacementActions& actions, bool followsHost)
    : m_host(host), m_inputs(std::move(inputs)), m_actions(actions), m_followsHost(followsHost) {}

void SortContext::rereadOpenChoices() {
    if (!m_followsHost) {
        return;
    }
    const RunInputs now = m_host.runInputs();
    m_inputs.move = now.move;
    m_inputs.policy = now.policy;
    m_inputs.skipIdentical = now.skipIdentical;
    m_inputs.filter = now.filter;
}

const QByteArray& SortContext::outputFolder() const {
    return m_actions.folders().outputFolder();
}

bool SortContext::reachesFolder(const QByteArray& folder) const {
    return m_actions.reachesFolder(folder);
}

void SortContext::ensureFolder(const QByteArray& folder) {
    m_actions.ensureFolder(folder);
}

void SortContext::place(const QByteArray& source, const QByteArray& destFolder, bool lastPlacement) {
    m_file.add(PlaceFile(source, destFolder, *this, m_actions, lastPlacement));
}

void SortContext::beginFile() {
    m_file = {};
}

SameNamePolicy SortContext::sameNamePolicy() const {
    return m_inputs.policy;
}

bool SortContext::skipIdentical() const {
    return m_inputs.skipIdentical;
}

bool SortContext::keepComparing() {
    m_host.processEvents();
    return !m_host.stopRequested() && !InterruptionRequested();
}

bool SortContext::moveMode() const {
    return m_inputs.move;
}

OverwriteAnswer SortContext::askOverwrite(const OverwriteQuestion& question) {
    if (m_answerToAll) {
        return *m_answerToAll;
    }
    const OverwriteAnswer answer = m_host.askOverwrite(question);
    // The question's box processes events while it is up.
    rereadOpenChoices();
    if (answer == OverwriteAnswer::YesToAll || answer == OverwriteAnswer::NoToAll) {
        m_answerToAll = answer;
    }
    return answer;
}

#include "engine/SortContext.h"

#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "engine/RunHost.h"

#include <QFile>

namespace {
// The step a placement made. name is the destination under the file's own name, nameTaken whether a file held it
// before a placement that may replace it.
PlanStep stepOf(const QByteArray& source, const QByteArray& name, bool nameTaken, const PlaceOutcome& outcome) {
    PlanStep step{source, outcome.target.isEmpty() ? name : outcome.target, PlanAction::Copy, std::nullopt};
    if (outcome.result == PlaceResult::Declined) {
        step.action = PlanAction::Skip;
    } else if (outcome.result != PlaceResult::Failed && FileNameOf(outcome.target) != FileNameOf(name)) {
        step.action = PlanAction::Number;
    } else if (nameTaken) {
        step.action = PlanAction::Replace;
    } else {
        step.action = outcome.moveMode ? PlanAction::Move : PlanAction::Copy;
    }
    if (outcome.result == PlaceResult::Failed) {
        step.reason = FailureReasonOf(outcome.error);
    }
    return step;
}
} // namespace

SortContext::SortContext(RunHost& host) : m_host(host) {}

QByteArray SortContext::outputFolder() const {
    return QFile::encodeName(m_host.outputFolder());
}

void SortContext::place(const QByteArray& source, const QByteArray& destFolder, bool lastPlacement) {
    const QByteArray name = JoinPath(destFolder, FileNameOf(source));
    const SameNamePolicy policy = sameNamePolicy();
    const bool mayReplace = policy == SameNamePolicy::Overwrite || policy == SameNamePolicy::Ask;
    const bool nameTaken = mayReplace && Fs::NameTakenByNonFolder(name);
    m_last = PlaceFile(source, destFolder, *this, m_folders, lastPlacement);
    m_lastStep = stepOf(source, name, nameTaken, m_last);
    if (!sourceAwaitsDeletion()) {
        m_host.stepEnded(m_lastStep);
    }
    switch (m_last.result) {
    case PlaceResult::Copied:
        if (!m_firstCopy) {
            m_firstCopy = m_last.source;
        }
        m_anyPlaced = true;
        break;
    case PlaceResult::Moved:
        m_anyPlaced = true;
        break;
    case PlaceResult::Failed:
        if (!m_firstFailure.failed()) {
            m_firstFailure = m_last.error;
        }
        break;
    case PlaceResult::Declined:
        break;
    }
}

void SortContext::beginFile() {
    m_last = {};
    m_anyPlaced = false;
    m_firstCopy.reset();
    m_firstFailure = {};
}

bool SortContext::sourceAwaitsDeletion() const {
    return m_last.result == PlaceResult::Copied && m_last.moveMode;
}

RunOutcome SortContext::outcome() const {
    if (failed()) {
        return RunOutcome::Failed;
    }
    return m_anyPlaced ? RunOutcome::Placed : RunOutcome::Left;
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

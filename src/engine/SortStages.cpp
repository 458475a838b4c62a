#include "engine/SortStages.h"

#include "engine/ActionRecorder.h"
#include "engine/SortContext.h"
#include "engine/SortPass.h"
#include "engine/criteria/Criterion.h"
#include "engine/placement/PlacementActions.h"

#include <QFile>

std::optional<QList<CheckedInputs>> CheckInputsOf(RunHost& host,
                                                  const std::function<void(const QString& outputFolder)>& normalised) {
    QList<ChainedInputs> chain = host.chainedInputs();
    if (chain.isEmpty()) {
        chain.append({QByteArray(), host.runInputs()});
    }
    QList<CheckedInputs> checked;
    for (ChainedInputs& link : chain) {
        if (!CheckRunInputs(host, link.inputs)) {
            return std::nullopt;
        }
        link.inputs.outputFolder = NormalisedOutputFolder(link.inputs.outputFolder);
        checked.append({link.name, std::move(link.inputs), nullptr});
    }
    if (normalised) {
        normalised(checked.first().inputs.outputFolder);
    }
    for (CheckedInputs& inputs : checked) {
        inputs.criterion = CriterionFor(host, inputs.inputs);
        if (!inputs.criterion) {
            return std::nullopt;
        }
    }
    return checked;
}

RunDescription DescriptionOfChecked(const QList<CheckedInputs>& checked, int listSize) {
    RunDescription description = DescriptionOf(checked.first().inputs, listSize);
    if (checked.size() > 1) {
        for (const CheckedInputs& link : checked) {
            const RunInputs& inputs = link.inputs;
            description.chain.append(
                {link.name, inputs.page, inputs.move, inputs.policy, QFile::encodeName(inputs.outputFolder)});
        }
    }
    return description;
}

SortStages::SortStages(RunHost& host, QList<CheckedInputs> checked, const MakeActions& makeActions,
                       ActionRecorder* recorder)
    : m_checked(std::move(checked)) {
    const bool chained = m_checked.size() > 1;
    for (const CheckedInputs& link : m_checked) {
        if (recorder && chained) {
            recorder->chainedSortBegins(int(m_actions.size()));
        }
        m_actions.push_back(makeActions(link));
        m_actions.back()->nameSteps(link.name);
        m_contexts.push_back(std::make_unique<SortContext>(host, link.inputs, *m_actions.back(), !chained));
        link.criterion->begin(*m_contexts.back());
    }
}

SortStages::~SortStages() = default;

QList<SortStage> SortStages::stages() {
    QList<SortStage> stages;
    for (qsizetype i = 0; i < m_checked.size(); ++i) {
        stages.append({*m_checked[i].criterion, *m_contexts[size_t(i)], *m_actions[size_t(i)]});
    }
    return stages;
}

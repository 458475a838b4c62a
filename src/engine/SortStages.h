#pragma once

#include "engine/RunHost.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ActionRecorder;
class Criterion;
class PlacementActions;
class SortContext;

// One set of inputs a pass sorts with, checked and with its criterion: a saved sort of a chain, or the run's only
// set (with an empty name). The output folder is normalised (ending in '/').
struct CheckedInputs {
    QByteArray name;
    RunInputs inputs;
    std::shared_ptr<Criterion> criterion;
};

// The host's inputs for a run or a plan: its chain of saved sorts (RunHost::chainedInputs) or its one set of inputs,
// each through the run's checks and its page's parameter step. Nothing when one of them refused the run (the host
// was told why). normalised, where given, is told the first output folder as the run uses it once the run's checks
// passed and before any page's parameter step, which may still refuse the run.
std::optional<QList<CheckedInputs>>
CheckInputsOf(RunHost& host, const std::function<void(const QString& outputFolder)>& normalised = {});

// The description a run's recording begins with: the first inputs' fields, and the chain when there is one.
RunDescription DescriptionOfChecked(const QList<CheckedInputs>& checked, int listSize);

// One stage of a pass: the inputs' criterion, its context and the placement into its own output folder.
struct SortStage {
    Criterion& criterion;
    SortContext& context;
    PlacementActions& actions;
};

// The stages of a pass, owning each stage's placement and context; the criteria begin on their contexts (and may
// make folders there, which recorder, when given, takes down as the saved sort's).
class SortStages {
public:
    using MakeActions = std::function<std::unique_ptr<PlacementActions>(const CheckedInputs& inputs)>;
    SortStages(RunHost& host, QList<CheckedInputs> checked, const MakeActions& makeActions,
               ActionRecorder* recorder = nullptr);
    ~SortStages();

    QList<SortStage> stages();

private:
    QList<CheckedInputs> m_checked;
    std::vector<std::unique_ptr<PlacementActions>> m_actions;
    std::vector<std::unique_ptr<SortContext>> m_contexts;
};

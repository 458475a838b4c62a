// Placeholder until the planning run lands: every listed file is shown as a copy into the output folder.
#include "core/FileNames.h"
#include "engine/RunHost.h"
#include "engine/SortPlan.h"

#include <QFile>

std::optional<SortPlan> PlanSort(RunHost& host) {
    SortPlan plan;
    const QByteArray folder = QFile::encodeName(host.outputFolder());
    for (int index = 0; index < host.fileCount(); ++index) {
        const QByteArray source = host.fileAt(index);
        plan.steps.append({source, JoinPath(folder, FileNameOf(source)), PlanAction::Copy, std::nullopt});
        plan.outcomes.count(RunOutcome::Placed);
    }
    return plan;
}

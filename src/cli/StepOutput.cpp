#include "cli/StepOutput.h"

#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "cli/JsonLines.h"
#include "cli/StandardStreams.h"
#include "engine/SortPlan.h"

namespace {
std::optional<QByteArray> destinationOf(const PlanStep& step) {
    return step.target.isEmpty() ? std::nullopt : std::optional<QByteArray>(step.target);
}

const char* reasonCode(const PlanStep& step) {
    return step.reason ? FailureReasonCode(*step.reason) : nullptr;
}

// The action is its code in every language, so that a script can read the plan; the reason is for the reader.
QByteArray planStepTextLine(const PlanStep& step) {
    const QByteArray reason = step.reason ? FailureReasonWords(*step.reason).toUtf8() : QByteArray();
    return QByteArray(PlanActionCode(step.action)) + '\t' + EscapedText(step.source) + '\t' + EscapedText(step.target) +
           '\t' + reason + '\n';
}

QByteArray planSummaryLine(const RunReport& outcomes) {
    return CommandLine::tr("plan: %1 to place, %2 to leave as they are, %3 not matching, %4 to fail; nothing was "
                           "touched")
               .arg(outcomes.placed)
               .arg(outcomes.left)
               .arg(outcomes.notMatching)
               .arg(outcomes.failed)
               .toUtf8() +
           '\n';
}
} // namespace

QByteArray RunStepJsonLine(const PlanStep& step) {
    const char* failure = reasonCode(step);
    return JsonStepLine(
        {step.source, destinationOf(step), PlanActionCode(step.action), failure, failure ? "failed" : "done", failure});
}

void PrintPlan(const SortPlan& plan, bool json, bool quiet) {
    QByteArray out;
    for (const PlanStep& step : plan.steps) {
        out += json ? JsonStepLine({step.source, destinationOf(step), PlanActionCode(step.action), reasonCode(step)})
                    : planStepTextLine(step);
        // Written in pieces, so that a long plan reaches a pipe while it is written.
        if (out.size() >= 65536) {
            WriteStandardOutput(out);
            out.clear();
        }
    }
    if (json) {
        out += JsonSummaryLine(plan.outcomes);
    } else if (!quiet) {
        out += planSummaryLine(plan.outcomes);
    }
    WriteStandardOutput(out);
}

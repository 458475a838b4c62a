#include "cli/StepOutput.h"

#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "cli/JsonLines.h"
#include "cli/SortRequest.h"
#include "cli/StandardStreams.h"
#include "engine/SortPlan.h"

namespace {
std::optional<QByteArray> destinationOf(const PlanStep& step) {
    return step.target.isEmpty() ? std::nullopt : std::optional<QByteArray>(step.target);
}

const char* reasonCode(const PlanStep& step) {
    return step.reason ? FailureReasonCode(*step.reason) : nullptr;
}

JsonStep jsonStepOf(const PlanStep& step, bool chained) {
    JsonStep json{step.source, destinationOf(step), PlanActionCode(step.action), reasonCode(step)};
    json.reasonDetail = PlanStepReasonText(step);
    if (chained) {
        json.preset = step.preset;
    }
    return json;
}

// The action is its code in every language, so that a script can read the plan; the reason is for the reader: a
// refusal in the command line's words, any other reason as the window words it, in the command line's language.
QByteArray planStepTextLine(const PlanStep& step, bool chained) {
    const QString reason = step.reason ? FailureReasonWords(*step.reason) : PlanStepReasonText(step);
    QByteArray line = QByteArray(PlanActionCode(step.action)) + '\t' + EscapedText(step.source) + '\t' +
                      EscapedText(step.target) + '\t' + EscapedText(reason.toUtf8());
    return chained ? line + '\t' + EscapedText(step.preset) + '\n' : line + '\n';
}

QByteArray planSummaryLine(const RunReport& outcomes) {
    return WithOutcomeCounts(
               CommandLine::tr(
                   "plan: %1 to fail, %2 to place, %3 to leave as they are, %4 identical, %5 filtered, %6 not "
                   "matching; nothing was touched"),
               outcomes)
               .toUtf8() +
           '\n';
}
} // namespace

QByteArray RunStepJsonLine(const PlanStep& step, bool chained) {
    JsonStep json = jsonStepOf(step, chained);
    json.result = json.reason ? "failed" : "done";
    json.error = json.reason;
    return JsonStepLine(json);
}

void PrintPlan(const SortPlan& plan, const SortRequest& request) {
    const bool chained = request.chain.size() > 1;
    QByteArray out;
    for (const PlanStep& step : plan.steps) {
        if (request.changesOnly && PlanStepChangesNothing(step)) {
            continue;
        }
        out += request.json ? JsonStepLine(jsonStepOf(step, chained)) : planStepTextLine(step, chained);
        // Written in pieces, so that a long plan reaches a pipe while it is written.
        if (out.size() >= 65536) {
            WriteStandardOutput(out);
            out.clear();
        }
    }
    if (request.json) {
        out += JsonSummaryLine(plan.outcomes);
    } else if (!request.quiet) {
        out += planSummaryLine(plan.outcomes);
    }
    WriteStandardOutput(out);
}

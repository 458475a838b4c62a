#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

struct RunReport;

// The --json output: one JSON object per line, every value an untranslated code or a path, but for the reason in
// words. A path that is not
// valid UTF-8 is also given exactly, in base64, under the key with the suffix "_base64".

// One step of a run. Values that do not apply (or are not known) are written as null.
struct JsonStep {
    QByteArray source;
    std::optional<QByteArray> destination;
    const char* action = nullptr; // copy, move, replace, number, skip, ask, nomatch, filtered, refused
    const char* reason = nullptr; // a failure code, such as write-protected
    const char* result = nullptr; // done or failed (real runs only)
    const char* error = nullptr;  // the failure code of a failed step (real runs only)
    QString reasonDetail{};       // why the step is what it is, in words (PlanStepReasonText); empty: none
    // A chained run's saved sort that took the file (UTF-8; empty, written null, when none did); nothing when the run
    // is not chained, and the key is left out.
    std::optional<QByteArray> preset{};
};

QByteArray JsonStepLine(const JsonStep& step);

// The last line: {"summary": {"placed": N, "left": N, "nomatch": N, "failed": N, "filtered": N}}.
QByteArray JsonSummaryLine(const RunReport& report);

// text as a JSON string literal, quotes included; text must be valid UTF-8.
QByteArray JsonString(const QByteArray& text);

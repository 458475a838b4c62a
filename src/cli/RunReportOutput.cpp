#include "cli/RunReportOutput.h"

#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "cli/JsonLines.h"
#include "cli/StandardStreams.h"
#include "core/ErrnoText.h"
#include "engine/RunReport.h"

namespace {
QString failureLine(const FailedFile& failure) {
    QString reason = FailureReasonWords(failure.reason);
    if (failure.error.code != 0) {
        reason += QStringLiteral(" (%1)").arg(ErrnoText(failure.error.code));
    }
    return CommandLine::tr("cannot sort %1: %2").arg(QString::fromUtf8(EscapedText(failure.path)), reason);
}

QByteArray summaryLine(const RunReport& report) {
    QString line = WithOutcomeCounts(
        CommandLine::tr("%1 failed, %2 placed, %3 left as they were, %4 identical, %5 filtered, %6 not matching"),
        report);
    if (report.stopped) {
        line += CommandLine::tr("; stopped, %1 not reached").arg(report.notReached);
    }
    return line.toUtf8() + '\n';
}
} // namespace

void PrintRunReport(const RunReport& report, bool json, bool quiet) {
    for (const FailedFile& failure : report.failures) {
        PrintErrorLine(failureLine(failure));
    }
    for (const QByteArray& path : report.onlyCopies) {
        PrintErrorLine(CommandLine::tr("%1: sorted; this name now leads to another file, which was kept, so the sorted "
                                       "copy is the only copy of the original")
                           .arg(QString::fromUtf8(EscapedText(path))));
    }
    for (const QByteArray& path : report.keptAtSource) {
        PrintErrorLine(CommandLine::tr("%1: not moved; a file of the same contents already holds its name, so it stays "
                                       "where it is")
                           .arg(QString::fromUtf8(EscapedText(path))));
    }
    if (report.birthTimeFallbacks > 0) {
        PrintErrorLine(CommandLine::tr("%1 file(s) have no recorded creation time; their modification time was "
                                       "compared")
                           .arg(report.birthTimeFallbacks));
    }
    for (const QByteArray& path : report.takenDateFallbacks) {
        PrintErrorLine(CommandLine::tr("%1: no taken date; its modification time was used")
                           .arg(QString::fromUtf8(EscapedText(path))));
    }
    if (json) {
        // The steps were written as they ended.
        WriteStandardOutput(JsonSummaryLine(report));
    } else if (!quiet) {
        WriteStandardOutput(summaryLine(report));
    }
}

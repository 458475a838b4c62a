#include "cli/JournalCommands.h"

#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "cli/StandardStreams.h"
#include "journal/History.h"
#include "journal/Undo.h"

using namespace Qt::StringLiterals;

namespace {
constexpr int kLeftStatus = 1;
constexpr int kNothingStatus = 2;

// The criterion page as the history writes it.
QByteArray criterionCode(CriterionPage page) {
    static const char* const codes[PageCount] = {"keywords", "name", "type", "size", "date", "image"};
    return page >= 0 && page < PageCount ? QByteArray(codes[page]) : QByteArray("-");
}

QByteArray isoLocalTime(const QDateTime& time) {
    // Always an explicit offset, +00:00 for UTC too, so that every line has the same shape.
    QByteArray text = time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate).toLatin1();
    if (text.endsWith('Z')) {
        text.chop(1);
        text += "+00:00";
    }
    return text;
}

QByteArray historyLine(const RunSummary& run) {
    QByteArrayList fields{EscapedText(run.id), isoLocalTime(run.startTime()), criterionCode(run.header.page),
                          run.header.move ? "move" : "copy"};
    if (run.counts) {
        for (const int count : {run.counts->placed, run.counts->left, run.counts->notMatching, run.counts->failed}) {
            fields.append(QByteArray::number(count));
        }
    } else {
        fields << "-"
               << "-"
               << "-"
               << "-";
    }
    fields.append(RunStateCode(run.state));
    return fields.join('\t') + '\n';
}

QString shown(const QByteArray& path) {
    return QString::fromUtf8(EscapedText(path));
}

QString undoReasonWords(const UndoItem& item) {
    QString words = WordsOrCode(UndoReasonText(item.reason), UndoReasonCode(item.reason));

    if (item.error.code != 0) {
        words += u" (%1)"_s.arg(qt_error_string(item.error.code));
    }
    return words;
}

QString leftLine(const UndoItem& item) {
    if (item.otherPath.isEmpty()) {
        return CommandLine::tr("left %1: %2").arg(shown(item.path), undoReasonWords(item));
    }
    return CommandLine::tr("left %1 (%2): %3").arg(shown(item.path), shown(item.otherPath), undoReasonWords(item));
}

int nothingToUndo(const QString& line) {
    PrintErrorLine(line);
    return kNothingStatus;
}
} // namespace

int RunHistoryCommand(const JournalFolder& folder) {
    QByteArray out;
    for (const RunSummary& run : ListRuns(folder)) {
        out += historyLine(run);
    }
    WriteStandardOutput(out);
    return 0;
}

int RunUndoCommand(const JournalFolder& folder, const std::optional<QByteArray>& id) {
    std::optional<RunSummary> run;
    if (id) {
        if (!JournalFolder::isRunId(*id) || !(run = ReadRunSummary(folder, *id))) {
            return nothingToUndo(CommandLine::tr("%1: no such run; see 'varnoth history'").arg(shown(*id)));
        }
    } else if (!(run = LastRunToUndo(folder))) {
        return nothingToUndo(CommandLine::tr("no run to undo"));
    }
    const UndoResult result = UndoRun(folder, run->id);
    switch (result.status) {
    case UndoResult::Status::Done:
        break;
    case UndoResult::Status::NoSuchRun:
    case UndoResult::Status::Unreadable:
        return nothingToUndo(CommandLine::tr("%1: no such run; see 'varnoth history'").arg(shown(run->id)));
    case UndoResult::Status::Running:
        PrintErrorLine(CommandLine::tr("%1: the run is still going on; nothing was touched").arg(shown(run->id)));
        return kLeftStatus;
    }
    if (result.undone == 0 && result.items.isEmpty() && result.damagedLines == 0) {
        return nothingToUndo(CommandLine::tr("%1: nothing to undo").arg(shown(run->id)));
    }
    for (const UndoItem& item : result.items) {
        PrintErrorLine(leftLine(item));
    }
    if (result.damagedLines > 0) {
        PrintErrorLine(CommandLine::tr("%1: %2 damaged journal line(s) skipped; what they recorded was left")
                           .arg(shown(run->id))
                           .arg(result.damagedLines));
    }
    if (result.journalError.failed()) {
        PrintErrorLine(CommandLine::tr("%1: the undo could not be fully journaled (%2)")
                           .arg(shown(run->id), qt_error_string(result.journalError.code)));
    }
    WriteStandardOutput(CommandLine::tr("%1: %2 undone, %3 left")
                            .arg(shown(run->id))
                            .arg(result.undone)
                            .arg(result.items.size())
                            .toUtf8() +
                        '\n');
    return result.items.isEmpty() && result.damagedLines == 0 ? 0 : kLeftStatus;
}

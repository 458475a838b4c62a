#include "cli/JournalCommands.h"

#include "cli/CommandLineText.h"
#include "cli/CriterionCode.h"
#include "cli/EscapedText.h"
#include "cli/StandardStreams.h"
#include "cli/UndoReasonWords.h"
#include "core/ErrnoText.h"
#include "journal/History.h"
#include "journal/Undo.h"

using namespace Qt::StringLiterals;

namespace {
constexpr int kLeftStatus = 1;
constexpr int kNothingStatus = 2;

QByteArray isoLocalTime(const QDateTime& time) {
    // Always an explicit offset, +00:00 for UTC too, so that every line has the same shape.
    QByteArray text = time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate).toLatin1();
    if (text.endsWith('Z')) {
        text.chop(1);
        text += "+00:00";
    }
    return text;
}

// The names of the history's fields, for a person reading it on a terminal.
QByteArray historyHeader() {
    const QStringList names{CommandLine::tr("id"),           CommandLine::tr("start"),    CommandLine::tr("criterion"),
                            CommandLine::tr("mode"),         CommandLine::tr("placed"),   CommandLine::tr("left"),
                            CommandLine::tr("nomatch"),      CommandLine::tr("failed"),   CommandLine::tr("state"),
                            CommandLine::tr("left by undo"), CommandLine::tr("short id"), CommandLine::tr("filtered"),
                            CommandLine::tr("identical"),    CommandLine::tr("origin")};
    return names.join(u'\t').toUtf8() + '\n';
}

QByteArray historyLine(const RunSummary& run, const QByteArray& shortId) {
    QByteArrayList fields{EscapedText(run.id), isoLocalTime(run.startTime()), CriterionCode(run.header.page),
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
    // What the last undo left: a number once an undo went through the run.
    const bool undone = run.state == RunState::Undone || run.state == RunState::PartlyUndone;
    fields.append(undone ? QByteArray::number(run.leftByUndo) : QByteArray("-"));
    // Appended, so that scripts find every other field where it always was.
    fields.append(shortId);
    // "-" also for a journal written before filtered files were counted apart from those not matching.
    const std::optional<int> filtered = run.counts ? run.counts->filtered : std::nullopt;
    fields.append(filtered ? QByteArray::number(*filtered) : QByteArray("-"));
    // "-" for a journal written before files of the same bytes were recognised.
    const std::optional<int> identical = run.counts ? run.counts->identical : std::nullopt;
    fields.append(identical ? QByteArray::number(*identical) : QByteArray("-"));
    // Who started the run: the user, or the watch of a folder (a batch of the files that arrived).
    fields.append(run.header.watch ? "watch" : "user");
    return fields.join('\t') + '\n';
}

QString shown(const QByteArray& path) {
    return QString::fromUtf8(EscapedText(path));
}

QString undoReasonWords(const UndoItem& item) {
    QString words = UndoReasonWords(item.reason);
    if (item.error.code != 0) {
        words += u" (%1)"_s.arg(ErrnoText(item.error.code));
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

QString distrustLine(const Distrust& distrust) {
    const QString path = shown(distrust.path);
    switch (distrust.why) {
    case Distrust::Why::NotOwned:
        return CommandLine::tr("%1: not owned by you, so its run journals cannot be trusted; nothing was touched")
            .arg(path);
    case Distrust::Why::OpenToOthers:
        return CommandLine::tr("%1: other users can write to it, so its run journals cannot be trusted; nothing was "
                               "touched")
            .arg(path);
    case Distrust::Why::WrongKind:
        break;
    }
    return CommandLine::tr("%1: not a plain file or folder (a symbolic link?), so it cannot be trusted; nothing was "
                           "touched")
        .arg(path);
}

// After a retry that undid nothing new: the run a plain undo cannot go past, and how to undo the one before it.
void nameRunBefore(const JournalFolder& folder, const RunSummary& run, WatchBatches batches) {
    const std::optional<RunSummary> before = RunToUndoBefore(folder, run.id, batches);
    if (!before) {
        PrintErrorLine(
            CommandLine::tr("%1: nothing more can be undone, and no run before it is left to undo").arg(shown(run.id)));
        return;
    }
    PrintErrorLine(CommandLine::tr("%1: nothing more can be undone; to undo the run before it: varnoth undo %2")
                       .arg(shown(run.id), shown(before->id)));
}

QByteArrayList idsOf(const QList<RunSummary>& runs) {
    QByteArrayList ids;
    for (const RunSummary& run : runs) {
        ids.append(run.id);
    }
    return ids;
}

// The run that RUN names: its id, or a short id that begins the hash of one run only. Nothing when RUN names no run
// or more than one, which is said on standard error (the runs it may mean listed).
std::optional<RunSummary> namedRun(const JournalFolder& folder, const QByteArray& id) {
    if (JournalFolder::isRunId(id)) {
        if (std::optional<RunSummary> run = ReadRunSummary(folder, id)) {
            return run;
        }
    }
    const QList<RunSummary> runs = ListRuns(folder);
    const QByteArrayList shortIds = ShortRunIds(idsOf(runs));
    QList<qsizetype> matches;
    for (qsizetype i = 0; i < runs.size(); ++i) {
        if (ShortIdNames(id, runs[i].id)) {
            matches.append(i);
        }
    }
    if (matches.size() == 1) {
        return runs[matches.first()];
    }
    if (matches.isEmpty()) {
        PrintErrorLine(CommandLine::tr("%1: no such run; see 'varnoth history'").arg(shown(id)));
        return std::nullopt;
    }
    PrintErrorLine(
        CommandLine::tr("%1: more than one run has a short id that begins so; give one of these:").arg(shown(id)));
    for (const qsizetype i : matches) {
        PrintErrorLine(u"  %1 (%2)"_s.arg(QString::fromLatin1(shortIds[i]), shown(runs[i].id)));
    }
    return std::nullopt;
}
} // namespace

int RunHistoryCommand(const JournalFolder& folder) {
    const QList<RunSummary> runs = ListRuns(folder);
    const QByteArrayList shortIds = ShortRunIds(idsOf(runs));
    QByteArray out = StandardOutputIsTerminal() ? historyHeader() : QByteArray();
    for (qsizetype i = 0; i < runs.size(); ++i) {
        out += historyLine(runs[i], shortIds[i]);
    }
    WriteStandardOutput(out);
    return 0;
}

// A plain undo without --watch passes over the batches of watched folders; says how many it passed over, so that
// the user knows why the newest entry of the history was not the one undone.
void namePassedOverWatchBatches(const JournalFolder& folder) {
    if (const int passed = WatchBatchesPassedOver(folder); passed > 0) {
        PrintErrorLine(CommandLine::tr("skipped %1 newer batch(es) of watched folders; use 'varnoth undo --watch' or "
                                       "'varnoth undo RUN' to undo one")
                           .arg(passed));
    }
}

int RunUndoCommand(const JournalFolder& folder, const std::optional<QByteArray>& id, WatchBatches batches) {
    std::optional<RunSummary> run;
    if (id) {
        if (!(run = namedRun(folder, *id))) {
            return kNothingStatus;
        }
    } else {
        if (batches == WatchBatches::Skipped) {
            namePassedOverWatchBatches(folder);
        }
        if (!(run = LastRunToUndo(folder, batches))) {
            return nothingToUndo(CommandLine::tr("no run to undo"));
        }
    }
    const bool retry = run->state == RunState::PartlyUndone;
    if (retry) {
        PrintErrorLine(CommandLine::tr("%1: partly undone before; trying again what was left").arg(shown(run->id)));
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
    case UndoResult::Status::Undoing:
        PrintErrorLine(
            CommandLine::tr("%1: an undo of this run is in progress; nothing was touched").arg(shown(run->id)));
        return kLeftStatus;
    case UndoResult::Status::Untrusted:
        PrintErrorLine(distrustLine(*result.distrust));
        return kNothingStatus;
    }
    const bool undidSomething = result.undone > 0 || result.foldersRemoved > 0;
    if (!undidSomething && result.items.isEmpty() && result.damagedLines == 0) {
        return nothingToUndo(CommandLine::tr("%1: nothing to undo").arg(shown(run->id)));
    }
    for (const UndoItem& item : result.items) {
        PrintErrorLine(leftLine(item));
    }
    if (result.damagedLines > 0) {
        PrintErrorLine(CommandLine::tr("%1: %2 damaged journal line(s) could not be read and were skipped")
                           .arg(shown(run->id))
                           .arg(result.damagedLines));
    }
    if (result.journalError.failed()) {
        PrintErrorLine(CommandLine::tr("%1: the undo could not be fully journaled (%2)")
                           .arg(shown(run->id), ErrnoText(result.journalError.code)));
    }
    WriteStandardOutput(CommandLine::tr("%1: files undone: %2, empty folders removed: %3, left: %4")
                            .arg(shown(run->id))
                            .arg(result.undone)
                            .arg(result.foldersRemoved)
                            .arg(result.items.size())
                            .toUtf8() +
                        '\n');
    if (!id && retry && !undidSomething) {
        nameRunBefore(folder, *run, batches);
    }
    return result.items.isEmpty() ? 0 : kLeftStatus;
}

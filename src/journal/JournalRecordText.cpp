#include "journal/JournalRecordText.h"

#include "journal/JournalCodes.h"
#include "journal/JournalLine.h"

namespace {

JournalLineWriter& withIdentity(JournalLineWriter& line, const FileIdentity& identity) {
    return line.number("size", identity.size)
        .number("mtime", identity.mtimeNs)
        .unsignedNumber("ino", identity.inode)
        .unsignedNumber("dev", identity.device);
}

JournalLineWriter& withEnd(JournalLineWriter& line, const RunEnd& end) {
    line.bytes("state", end.stopped ? "stopped" : "complete")
        .number("failed", end.counts.failed)
        .number("placed", end.counts.placed)
        .number("left", end.counts.left)
        .number("nomatch", end.counts.notMatching);
    // An undo of a run from an older journal repeats its end as it was.
    if (end.counts.filtered) {
        line.number("filtered", *end.counts.filtered);
    }
    return end.counts.identical ? line.number("identical", *end.counts.identical) : line;
}

} // namespace

QByteArray HeaderRecord() {
    return JournalLineWriter(kJournalHeaderType).number("version", kJournalVersion).line();
}

QByteArray RunRecord(const RunHeader& header) {
    JournalLineWriter line("run");
    line.number("page", header.page)
        .bytes("mode", header.move ? "move" : "copy")
        .bytes("policy", EntryOf(kPolicyCodes, header.policy).code)
        .number("start", header.startNs)
        .number("count", header.listSize)
        .number("pid", header.pid)
        .bytes("out", header.outputFolder);
    // Only a watch batch carries the mark, so that other runs' records read as they always did.
    return header.watch ? line.number("watch", 1).line() : line.line();
}

QByteArray IntentRecord(const JournalStep& step) {
    JournalLineWriter line("intent");
    line.number("n", step.number)
        .bytes("transfer", EntryOf(kTransferCodes, step.transfer).code)
        .bytes("name", EntryOf(kNameUseCodes, step.nameUse).code)
        .bytes("source", step.source)
        .bytes("target", step.target);
    withIdentity(line, step.before);
    return step.preset ? line.bytes("preset", *step.preset).line() : line.line();
}

QByteArray PresetRecord(const ChainedSort& preset) {
    return JournalLineWriter("preset")
        .bytes("name", preset.name)
        .number("page", preset.page)
        .bytes("mode", preset.move ? "move" : "copy")
        .bytes("policy", EntryOf(kPolicyCodes, preset.policy).code)
        .bytes("out", preset.outputFolder)
        .line();
}

QByteArray KeptRecord(int number, const KeptFile& kept) {
    JournalLineWriter line("kept");
    line.number("n", number)
        .bytes("where", EntryOf(kKeptWhereCodes, kept.where).code)
        .bytes("path", kept.path)
        .bytes("info", kept.info);
    return withIdentity(line, kept.old).number("mode", kept.oldMode).line();
}

QByteArray DoneRecord(int number, const FileIdentity& written) {
    JournalLineWriter line("done");
    return withIdentity(line.number("n", number), written).line();
}

QByteArray FailedRecord(int number) {
    return JournalLineWriter("failed").number("n", number).line();
}

QByteArray FolderRecord(int number, const QByteArray& folder, const FileIdentity& made,
                        const std::optional<QByteArray>& preset) {
    JournalLineWriter line("folder");
    withIdentity(line.number("n", number).bytes("path", folder), made);
    return preset ? line.bytes("preset", *preset).line() : line.line();
}

QByteArray EndRecord(const RunEnd& end) {
    JournalLineWriter line("end");
    return withEnd(line, end).line();
}

QByteArray UndoBeginRecord(qint64 timeNs) {
    return JournalLineWriter("undo-begin").number("time", timeNs).line();
}

QByteArray UndoStepRecord(int number) {
    return JournalLineWriter("undo").number("n", number).line();
}

QByteArray UndoneRecord(int number) {
    return JournalLineWriter("undone").number("n", number).line();
}

QByteArray NotUndoneRecord(int number, QByteArrayView reasonCode) {
    return JournalLineWriter("not-undone").number("n", number).bytes("reason", reasonCode).line();
}

QByteArray RestoredRecord(int number, const QByteArray& path, const FileIdentity& identity) {
    JournalLineWriter line("restored");
    return withIdentity(line.number("n", number).bytes("path", path), identity).line();
}

QByteArray UndoEndRecord(const std::optional<RunEnd>& runEnd, int undone, int folders, int remaining) {
    JournalLineWriter line("undo-end");
    line.number("undone", undone).number("folders", folders).number("remaining", remaining);
    if (runEnd) {
        withEnd(line, *runEnd);
    }
    return line.line();
}

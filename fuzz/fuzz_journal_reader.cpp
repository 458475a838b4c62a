// The journal reader, the history's summary and undo on any bytes: a damaged or truncated journal never crashes,
// every line is either used or counted as skipped, and undo does only what the readable records allow.

#include "FuzzInput.h"
#include "journal/History.h"
#include "journal/JournalReader.h"
#include "journal/JournalRecordText.h"
#include "journal/Undo.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"

#include <QFile>

#include <sys/stat.h>

namespace {

// Undo runs only on journals whose every path lies in this folder, which the seed corpus names, so that no input
// can make it act on a file elsewhere.
const QByteArray kSandbox = "/tmp/varnoth-fuzz-journal";

bool insideSandbox(const QByteArray& path) {
    return path.startsWith(kSandbox + '/') && !path.contains("/./") && !path.contains("/../") && !path.endsWith("/.") &&
           !path.endsWith("/..");
}

bool everyPathInsideSandbox(const JournalContent& content) {
    for (const JournalStep& step : content.steps) {
        if (!insideSandbox(step.target) || (!step.isFolder && !insideSandbox(step.source)) ||
            (step.kept && step.kept->where != KeptWhere::NotKept && !insideSandbox(step.kept->path)) ||
            (step.kept && step.kept->where == KeptWhere::Trash && !insideSandbox(step.kept->info))) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const JournalContent content = ParseJournal(text);
    const qsizetype lines = text.count('\n') + (text.endsWith('\n') || text.isEmpty() ? 0 : 1);

    // Each line is the header, one record, or one skipped line.
    FUZZ_CHECK(content.damagedLines <= lines);
    FUZZ_CHECK(!content.readable || content.steps.size() + content.damagedLines + 1 <= lines);
    FUZZ_CHECK(content.readable || (content.steps.isEmpty() && !content.run && !content.end));
    for (const JournalStep& step : content.steps) {
        // A step read back is written again the same way.
        const JournalContent again =
            ParseJournal(HeaderRecord() +
                         (step.isFolder ? FolderRecord(step.number, step.target, *step.written) : IntentRecord(step)));
        FUZZ_CHECK(again.steps.size() == 1 && again.steps[0].target == step.target &&
                   again.steps[0].source == step.source && again.damagedLines == 0);
    }

    if (!content.readable || !everyPathInsideSandbox(content)) {
        return 0;
    }
    const JournalFolder folder(kSandbox + "/runs");
    ::mkdir(kSandbox.constData(), 0700);
    ::mkdir(folder.path().constData(), 0700);
    WriteTestFile(QFile::decodeName(folder.journalPath("fuzzed")), text);
    (void)ReadRunSummary(folder, "fuzzed");
    const UndoResult result = UndoRun(folder, "fuzzed");
    FUZZ_CHECK(result.status == UndoResult::Status::Done);
    FUZZ_CHECK(result.undone + result.items.size() <= content.steps.size());
    FUZZ_CHECK(result.damagedLines == content.damagedLines);
    // The undo's own records make the journal an undone one.
    FUZZ_CHECK(ReadRunSummary(folder, "fuzzed").value_or(RunSummary{}).state != RunState::Running);
    return 0;
}

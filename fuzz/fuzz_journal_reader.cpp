// The journal reader, the history's summary and undo on any bytes: a damaged or truncated journal never crashes,
// every line is either used or counted as skipped, undo's scope never admits a file outside the run's output
// folder (decided without a file-system call), and undo does only what the readable records allow.

#include "FuzzInput.h"
#include "journal/History.h"
#include "journal/JournalReader.h"
#include "journal/JournalRecordText.h"
#include "journal/Undo.h"
#include "journal/UndoScope.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"

#include <QFile>

#include <filesystem>
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

// path lies in root, as the standard library reads the two paths lexically: no ".." of path leaves root.
bool lexicallyWithin(const QByteArray& root, const QByteArray& path) {
    const std::filesystem::path relative =
        std::filesystem::path(path.toStdString())
            .lexically_normal()
            .lexically_relative(std::filesystem::path(root.toStdString()).lexically_normal());
    return !relative.empty() && *relative.begin() != "..";
}

// Every step the scope admits has its target in the scope's root, with no ".." below it, and the root is the
// recorded output folder where the journal has one; a kept file it admits is in a trash or beside the journal.
void checkScope(const JournalContent& content) {
    const QByteArray keptFolder = kSandbox + "/runs/fuzzed.kept";
    const UndoScope scope(content, keptFolder);
    if (content.run && content.run->outputFolder.startsWith('/')) {
        FUZZ_CHECK(PathLevels(scope.root()) == PathLevels(content.run->outputFolder));
    }
    const qsizetype rootLevels = PathLevels(scope.root()).value_or(QByteArrayList()).size();
    for (const JournalStep& step : content.steps) {
        if (!scope.admits(step)) {
            continue;
        }
        const QByteArrayList levels = PathLevels(step.target).value_or(QByteArrayList());
        FUZZ_CHECK(step.target.startsWith('/') && lexicallyWithin(scope.root(), step.target));
        FUZZ_CHECK(!levels.sliced(std::min(rootLevels, levels.size())).contains(".."));
        FUZZ_CHECK(step.isFolder || levels.size() > rootLevels);
        if (step.kept && step.kept->where == KeptWhere::BesideJournal) {
            FUZZ_CHECK(step.kept->path.startsWith(keptFolder + '/') &&
                       !step.kept->path.mid(keptFolder.size() + 1).contains('/'));
        } else if (step.kept && step.kept->where == KeptWhere::Trash) {
            const QByteArray files = step.kept->path.left(step.kept->path.lastIndexOf('/'));
            FUZZ_CHECK(files.endsWith("/files") && !step.kept->path.contains("/../"));
            FUZZ_CHECK(step.kept->info ==
                       files.chopped(5) + "info/" + step.kept->path.mid(files.size() + 1) + ".trashinfo");
        }
    }
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

    checkScope(content);
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

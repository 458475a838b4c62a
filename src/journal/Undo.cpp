#include "journal/Undo.h"

#include "core/FileNames.h"
#include "core/FsLeftovers.h"
#include "journal/JournalAppender.h"
#include "journal/JournalReader.h"
#include "journal/JournalRecordText.h"
#include "journal/UndoSteps.h"

#include <QDateTime>
#include <QHash>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A replacement by a file of the same bytes is taken back by giving the new file the old one's permission bits and
// time, not by bringing the old file back: its inode is the new one. An earlier step that wrote the old file then
// finds its file under that inode.
class RenewedFiles {
public:
    void note(const JournalStep& step) {
        FileIdentity now;
        if (step.kept && step.kept->where == KeptWhere::NotKept && LookUpIdentity(step.target, now) &&
            now.size == step.kept->old.size && now.mtimeNs == step.kept->old.mtimeNs) {
            m_renewed.insert(step.target, {step.kept->old, now});
        }
    }

    JournalStep applied(JournalStep step) const {
        const auto renewed = m_renewed.constFind(step.target);
        if (renewed != m_renewed.cend() && step.written == renewed->first) {
            step.written = renewed->second;
        }
        return step;
    }

private:
    QHash<QByteArray, std::pair<FileIdentity, FileIdentity>> m_renewed; // target: the old file, what stands for it
};

} // namespace

UndoResult UndoRun(const JournalFolder& folder, const QByteArray& id) {
    UndoResult result;
    if (!JournalFolder::isRunId(id)) {
        result.status = UndoResult::Status::NoSuchRun;
        return result;
    }
    Fs::Descriptor file = Fs::Open(folder.journalPath(id), O_RDWR | O_APPEND | O_NONBLOCK);
    if (!file.isOpen()) {
        result.status = errno == ENOENT ? UndoResult::Status::NoSuchRun : UndoResult::Status::Unreadable;
        return result;
    }
    if (!LockJournal(file.get())) {
        result.status = UndoResult::Status::Running;
        return result;
    }
    const JournalContent content = ReadJournal(file.get());
    if (!content.readable) {
        result.status = UndoResult::Status::Unreadable;
        return result;
    }
    result.damagedLines = content.damagedLines;
    RunFacts facts;
    facts.startNs = content.run ? content.run->startNs : 0;
    for (const JournalStep& step : content.steps) {
        if (step.written && !step.isFolder) {
            facts.written[step.target].append(*step.written);
        }
    }

    if (!content.end) {
        // A run cut off in the middle of a placement can have left its temporary file behind (see FsLeftovers.h):
        // the run's folders are tidied first, so that a folder it made can go again.
        QSet<QByteArray> tidied;
        for (const JournalStep& step : content.steps) {
            const QByteArray stepFolder = step.isFolder ? step.target : FolderOf(step.target);
            if (!tidied.contains(stepFolder)) {
                tidied.insert(stepFolder);
                Fs::RemoveLeftoverTemporaryFiles(stepFolder);
            }
        }
    }

    JournalAppender journal(std::move(file)); // keeps the lock until the undo ends
    journal.append(UndoBeginRecord(QDateTime::currentMSecsSinceEpoch() * 1000000));
    RenewedFiles renewed;
    for (auto step = content.steps.crbegin(); step != content.steps.crend(); ++step) {
        if (step->failed) {
            continue;
        }
        if (step->undone) {
            renewed.note(*step);
            continue;
        }
        journal.append(UndoStepRecord(step->number));
        const StepOutcome outcome = ReverseStep(renewed.applied(*step), facts);
        if (outcome.fate == StepFate::Left) {
            journal.append(NotUndoneRecord(step->number, UndoReasonCode(outcome.item.reason)));
            result.items.append(outcome.item);
            continue;
        }
        journal.append(UndoneRecord(step->number));
        renewed.note(*step);
        result.undone += outcome.fate == StepFate::Reversed ? 1 : 0;
    }
    journal.append(UndoEndRecord(content.end, result.undone, int(result.items.size())));
    result.journalError = journal.sync();
    ::rmdir(folder.keptFolder(id).constData()); // emptied when every file kept beside the journal is back
    return result;
}

#include "journal/Undo.h"

#include "journal/JournalAppender.h"
#include "journal/JournalReader.h"
#include "journal/JournalRecordText.h"
#include "journal/UndoSteps.h"

#include <QDateTime>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

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
    const qint64 runStartNs = content.run ? content.run->startNs : 0;

    JournalAppender journal(std::move(file)); // keeps the lock until the undo ends
    journal.append(UndoBeginRecord(QDateTime::currentMSecsSinceEpoch() * 1000000));
    for (auto step = content.steps.crbegin(); step != content.steps.crend(); ++step) {
        if (step->undone || step->failed) {
            continue;
        }
        journal.append(UndoStepRecord(step->number));
        const StepOutcome outcome = ReverseStep(*step, runStartNs);
        if (outcome.fate == StepFate::Left) {
            journal.append(NotUndoneRecord(step->number, UndoReasonCode(outcome.item.reason)));
            result.items.append(outcome.item);
            continue;
        }
        journal.append(UndoneRecord(step->number));
        result.undone += outcome.fate == StepFate::Reversed ? 1 : 0;
    }
    journal.append(UndoEndRecord(content.end, result.undone, int(result.items.size())));
    result.journalError = journal.sync();
    ::rmdir(folder.keptFolder(id).constData()); // emptied when every file kept beside the journal is back
    return result;
}

#include "journal/RunJournal.h"

#include "core/FileNames.h"
#include "core/FsFileCopy.h"
#include "core/FsFolderWalk.h"
#include "core/FsSameContent.h"
#include "journal/JournalRecordText.h"
#include "journal/JournalRetention.h"
#include "journal/Trash.h"
#include "journal/UndoSteps.h"
#include "journal/XdgFolders.h"

#include <ctime>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

Fs::Result<std::unique_ptr<RunJournal>> RunJournal::start(const JournalFolder& folder, RunHeader header) {
    if (header.startNs == 0) {
        // The clock the kernel stamps files with, so that every file the run makes is stamped at or after it.
        struct timespec now {};
        ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
        header.startNs = qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
    }
    if (header.pid == 0) {
        header.pid = ::getpid();
    }
    Fs::Result<CreatedJournal> created = folder.create(header.startNs, pid_t(header.pid));
    if (created.failed()) {
        return created.error();
    }
    std::unique_ptr<RunJournal> journal(new RunJournal(folder, std::move(created->file), created->id, header));
    QByteArray records = HeaderRecord() + RunRecord(header);
    for (const ChainedSort& preset : header.chain) {
        records += PresetRecord(preset);
    }
    journal->m_appender.append(records);
    (void)journal->sync(); // a failure stays in error()
    PruneRuns(folder, header.startNs);
    return journal;
}

RunJournal::RunJournal(JournalFolder folder, Fs::Descriptor file, QByteArray id, RunHeader header)
    : m_folder(std::move(folder)), m_appender(std::move(file)), m_id(std::move(id)), m_header(header) {}

RunJournal::~RunJournal() = default;

const JournalStep& RunJournal::open(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
                                    const struct stat* sourceStatus) {
    JournalStep step;
    step.number = m_nextStep++;
    step.transfer = transfer;
    step.nameUse = use;
    step.source = source;
    step.target = target;
    step.preset = m_preset;
    if (sourceStatus) {
        step.before = IdentityOf(*sourceStatus);
    } else {
        LookUpIdentity(source, step.before);
    }
    return *m_open.insert(step.number, std::move(step));
}

int RunJournal::intent(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
                       const struct stat* sourceStatus) {
    const JournalStep& step = open(transfer, use, source, target, sourceStatus);
    m_appender.append(IntentRecord(step));
    return step.number;
}

int RunJournal::queueIntent(Transfer transfer, NameUse use, const QByteArray& source, const QByteArray& target,
                            const struct stat* sourceStatus) {
    const JournalStep& step = open(transfer, use, source, target, sourceStatus);
    m_appender.defer(IntentRecord(step));
    return step.number;
}

void RunJournal::writeQueued() {
    m_appender.writeDeferred();
}

KeepResult RunJournal::keepReplaced(int step, const FileInFolder& target, const QByteArray& incoming) {
    KeepResult result;
    KeptFile& kept = result.kept;
    struct stat status {};
    if (::fstatat(target.folder, target.name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        result.error = Fs::FailureOf(Fs::Operation::CheckTarget);
        return result;
    }
    kept.old = IdentityOf(status);
    kept.oldMode = status.st_mode & 07777;
    if (Fs::SameContent(Fs::RegularFile(target.folder, target.name), Fs::RegularFile(incoming))) {
        kept.where = KeptWhere::NotKept;
    } else if (const Fs::Result<TrashedFile> trashed = LinkIntoTrash(target); !trashed.failed()) {
        kept.where = KeptWhere::Trash;
        kept.path = trashed->file;
        kept.info = trashed->info;
    } else if (const Fs::Result<QByteArray> beside = keepBeside(step, target); !beside.failed()) {
        kept.where = KeptWhere::BesideJournal;
        kept.path = *beside;
    } else {
        result.error = beside.error();
        return result;
    }
    m_appender.append(KeptRecord(step, kept));
    if (m_open.contains(step)) {
        m_open[step].kept = kept;
    }
    return result;
}

Fs::Result<QByteArray> RunJournal::keepBeside(int step, const FileInFolder& target) const {
    const QByteArray folder = m_folder.keptFolder(m_id);
    if (const Fs::Error made = MakePrivateFolders(folder); made.failed()) {
        return Fs::Error{Fs::Operation::CreateTemporary, made.code};
    }
    const QByteArray name = QByteArray::number(step) + '-' + target.name;
    const Fs::Descriptor keptFolder = Fs::OpenFolder(folder);
    if (!keptFolder.isOpen()) {
        return Fs::FailureOf(Fs::Operation::CreateTemporary);
    }
    const Fs::Error copied = Fs::CopyOpenRegularFile(Fs::RegularFile(target.folder, target.name), keptFolder.get(),
                                                     name, {.failIfExists = true, .durable = true});
    if (copied.failed()) {
        return copied;
    }
    return folder + '/' + name;
}

void RunJournal::done(int step) {
    FileIdentity written;
    const auto open = m_open.constFind(step);
    if (open != m_open.cend() && LookUpIdentity(open->target, written)) {
        record(step, written, true);
    }
}

void RunJournal::done(int step, const FileIdentity& written) {
    if (m_open.contains(step)) {
        record(step, written, true);
    }
}

void RunJournal::renamed(int step) {
    const auto open = m_open.constFind(step);
    if (open == m_open.cend()) {
        return;
    }
    if (open->before.inode != 0) {
        record(step, open->before, false);
        return;
    }
    // The source could not be looked up at the intent: look up the new file instead.
    if (FileIdentity written; LookUpIdentity(open->target, written)) {
        record(step, written, false);
    }
}

void RunJournal::record(int step, const FileIdentity& written, bool copied) {
    m_appender.defer(DoneRecord(step, written));
    JournalStep done = m_open.take(step);
    if (copied && done.transfer == Transfer::Move) {
        done.written = written;
        m_copiedMoves.insert(step, std::move(done));
    }
}

void RunJournal::failed(int step) {
    const auto open = m_open.constFind(step);
    if (open == m_open.cend()) {
        return;
    }
    if (open->kept && open->kept->where != KeptWhere::NotKept && HoldsFile(open->target, open->kept->old)) {
        // The old file stayed where it was: the kept one is not needed.
        ::unlink(open->kept->path.constData());
        if (!open->kept->info.isEmpty()) {
            ::unlink(open->kept->info.constData());
        }
    }
    // Like a completion, the record waits for the next write: a step that failed left nothing at its target for undo
    // to confirm.
    m_appender.defer(FailedRecord(step));
    m_open.erase(open);
}

void RunJournal::withdraw(int step) {
    const auto settling = m_settlingMoves.constFind(step);
    if (settling == m_settlingMoves.cend()) {
        return;
    }
    JournalStep copy = *settling;
    copy.transfer = Transfer::Copy; // the source stays where it is: the new file is a copy to take back
    JournalContent run;
    run.run = m_header;
    run.steps = {copy};
    const QByteArray keptFolder = m_folder.keptFolder(m_id);
    const UndoScope scope(run, keptFolder);
    UndoPlaces places(scope.root(), Fs::OpenFolder(keptFolder), keptFolder);
    if (scope.admits(copy) && ReverseStep(copy, scope, places, RunFacts{}).fate != StepFate::Left) {
        m_appender.append(FailedRecord(step));
    }
    m_settlingMoves.erase(settling);
}

void RunJournal::chainedSortBegins(int index) {
    if (index >= 0 && index < m_header.chain.size()) {
        m_preset = m_header.chain[index].name;
    }
}

void RunJournal::folderMade(const QByteArray& folder) {
    FileIdentity made;
    if (LookUpIdentity(folder, made)) {
        m_appender.append(FolderRecord(m_nextStep++, folder, made, m_preset));
    }
}

Fs::Error RunJournal::sync() {
    m_settlingMoves = std::exchange(m_copiedMoves, {});
    return m_appender.sync();
}

Fs::Error RunJournal::finish(const RunEnd& end, bool durable) {
    m_appender.append(EndRecord(end));
    return durable ? sync() : error();
}

#include "journal/JournalFolder.h"

#include "journal/JournalTrust.h"
#include "journal/XdgFolders.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr QByteArrayView kJournalSuffix = ".journal";
constexpr QByteArrayView kKeptSuffix = ".kept";

QByteArray timeId(qint64 startNs) {
    const time_t seconds = time_t(startNs / 1000000000);
    struct tm utc {};
    ::gmtime_r(&seconds, &utc);
    char text[32];
    const size_t length = std::strftime(text, sizeof text, "%Y%m%dT%H%M%S", &utc);
    return QByteArray(text, qsizetype(length)) + '.' +
           QByteArray::number(startNs / 1000000 % 1000).rightJustified(3, '0') + 'Z';
}

// The names in folder, without "." and "..".
QByteArrayList namesIn(const QByteArray& folder) {
    QByteArrayList names;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.constData()), ::closedir);
    if (!listing) {
        return names;
    }
    while (const dirent* entry = ::readdir(listing.get())) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") {
            names.append(name);
        }
    }
    return names;
}

// Makes the journal folder where missing; CreateTemporary with the errno of the level that could not be made.
Fs::Error makeFolder(const QByteArray& path) {
    const Fs::Error made = MakePrivateFolders(path);
    return made.failed() ? Fs::Error{Fs::Operation::CreateTemporary, made.code} : made;
}

} // namespace

bool LockJournal(int descriptor) {
    return ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
}

JournalFolder::JournalFolder(QByteArray path) : m_path(std::move(path)) {}

JournalFolder JournalFolder::standard() {
    return JournalFolder(StateHome() + "/Varnoth/runs");
}

bool JournalFolder::isRunId(QByteArrayView id) {
    return !id.isEmpty() && !id.startsWith('.') && !id.contains('/') && !id.contains('\0');
}

QByteArray JournalFolder::journalPath(QByteArrayView id) const {
    return m_path + '/' + id.toByteArray() + kJournalSuffix.toByteArray();
}

QByteArray JournalFolder::keptFolder(QByteArrayView id) const {
    return m_path + '/' + id.toByteArray() + kKeptSuffix.toByteArray();
}

Fs::Error JournalFolder::prepare() const {
    if (const Fs::Error made = makeFolder(m_path); made.failed()) {
        return made;
    }
    // A folder that others may write, or that is not the user's, would hold journals undo must not believe.
    if (TrustedJournalFolder(*this).distrust()) {
        return {Fs::Operation::CreateTemporary, EPERM};
    }
    // Only creating a file shows that one can be created: the permission bits do not bind root, a read-only
    // mount or a full quota do.
    const QByteArray probe = m_path + "/.probe-" + QByteArray::number(::getpid());
    Fs::Descriptor file = Fs::Open(probe, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (!file.isOpen()) {
        return Fs::FailureOf(Fs::Operation::CreateTemporary);
    }
    ::unlink(probe.constData());
    return {};
}

Fs::Result<CreatedJournal> JournalFolder::create(qint64 startNs, pid_t pid) const {
    if (const Fs::Error made = makeFolder(m_path); made.failed()) {
        return made;
    }
    const QByteArray base = timeId(startNs) + '-' + QByteArray::number(pid);
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QByteArray candidate = attempt == 1 ? base : base + '-' + QByteArray::number(attempt);
        Fs::Descriptor file = Fs::Open(journalPath(candidate), O_WRONLY | O_CREAT | O_EXCL | O_APPEND, 0600);
        if (!file.isOpen()) {
            if (errno == EEXIST) {
                continue;
            }
            return Fs::FailureOf(Fs::Operation::CreateTemporary);
        }
        if (!LockJournal(file.get())) {
            return Fs::FailureOf(Fs::Operation::CreateTemporary);
        }
        return CreatedJournal{std::move(file), candidate};
    }
    return Fs::Error{Fs::Operation::CreateTemporary, EEXIST};
}

QByteArrayList JournalFolder::runIds() const {
    QByteArrayList ids;
    for (const QByteArray& name : namesIn(m_path)) {
        if (name.endsWith(kJournalSuffix) && !name.startsWith('.')) {
            ids.append(name.chopped(kJournalSuffix.size()));
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

bool JournalFolder::isLocked(QByteArrayView id) const {
    const Fs::Descriptor file = Fs::Open(journalPath(id), O_RDONLY | O_NONBLOCK);
    return file.isOpen() && ::flock(file.get(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

bool JournalFolder::holdsKeptFiles(QByteArrayView id) const {
    return !namesIn(keptFolder(id)).isEmpty();
}

bool JournalFolder::removeRun(const QByteArray& id) const {
    if (holdsKeptFiles(id)) {
        return false;
    }
    // The lock is taken for the removal, so that no run or undo of this journal is going on meanwhile.
    const Fs::Descriptor file = Fs::Open(journalPath(id), O_RDONLY | O_NONBLOCK);
    if (!file.isOpen() || !LockJournal(file.get())) {
        return false;
    }
    ::rmdir(keptFolder(id).constData());
    return ::unlink(journalPath(id).constData()) == 0;
}

#include "core/FsAtomicFile.h"

#include "core/FileNames.h"
#include "core/FsFolderWalk.h"
#include "core/FsTemporaryNames.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace Fs {

namespace {

std::atomic<quint64> g_temporaryCounter{0};

// A hidden name for a file of ours that nothing holds yet.
QByteArray nextTemporaryName() {
    return TemporaryName(::getpid(), g_temporaryCounter++);
}

// O_TMPFILE is refused with these where the file system (or the kernel) has no unnamed files.
bool noUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// An unnamed file is named through /proc/self/fd (or AT_EMPTY_PATH, which needs a capability); without /proc it
// might never get its name, so the named temporary file is used then.
bool unnamedFilesCanBeNamed() {
    static const bool procMounted = ::access("/proc/self/fd", F_OK) == 0;
    return procMounted;
}

// Writes content through the symbolic link at path into the file it leads to, opening the name as given so that the
// kernel decides whether the link may be followed. Nothing is changed before the file is known to be a regular file
// that may be replaced.
Error writeThroughLink(const QByteArray& path, const QByteArray& content) {
    // O_NONBLOCK: a link to a FIFO without a reader fails at once (ENXIO) instead of waiting.
    Descriptor file = Open(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY, 0666);
    struct stat status {};
    if (!file.isOpen() || ::fstat(file.get(), &status) != 0) {
        return FailureOf(Operation::CheckTarget);
    }
    if (!S_ISREG(status.st_mode)) {
        return {Operation::CheckTarget, S_ISDIR(status.st_mode) ? EISDIR : EPERM};
    }
    if (const Error refusal = CheckReplaceable(status); refusal.failed()) {
        return refusal;
    }
    if (::ftruncate(file.get(), 0) != 0) {
        return FailureOf(Operation::WriteTemporary);
    }
    if (const Error written = WriteAll(file.get(), content); written.failed()) {
        return written;
    }
    if (::fsync(file.get()) != 0) {
        return FailureOf(Operation::WriteTemporary);
    }
    return file.close();
}

} // namespace

Error RenameWithoutReplacing(int fromFolder, const QByteArray& from, int toFolder, const QByteArray& to) {
    if (::renameat2(fromFolder, from.constData(), toFolder, to.constData(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return FailureOf(Operation::MoveIntoPlace);
    }
    // File systems without RENAME_NOREPLACE: a hard link never replaces either; the file has two names for a moment
    // instead of none.
    if (::linkat(fromFolder, from.constData(), toFolder, to.constData(), 0) != 0) {
        return FailureOf(Operation::MoveIntoPlace);
    }
    ::unlinkat(fromFolder, from.constData(), 0);
    return {};
}

Error CheckReplaceable(const struct stat& existing) {
    if (S_ISDIR(existing.st_mode)) {
        return {Operation::CheckTarget, EISDIR};
    }
    if ((existing.st_mode & 0222) == 0) {
        return {Operation::CheckTarget, EACCES};
    }
    return {};
}

AtomicFile::~AtomicFile() {
    if (m_committed) {
        return;
    }
    m_descriptor = Descriptor();
    if (!m_temporary.isEmpty()) {
        ::unlinkat(m_folder.get(), m_temporary.constData(), 0);
    }
}

Error AtomicFile::create(const QByteArray& target, mode_t mode) {
    Descriptor folder = OpenFolder(FolderOf(target));
    if (!folder.isOpen()) {
        return FailureOf(Operation::CreateTemporary);
    }
    return createIn(std::move(folder), FileNameOf(target), mode);
}

Error AtomicFile::create(int folder, const QByteArray& name, mode_t mode) {
    Descriptor own(::fcntl(folder, F_DUPFD_CLOEXEC, 0));
    if (!own.isOpen()) {
        return FailureOf(Operation::CreateTemporary);
    }
    return createIn(std::move(own), name, mode);
}

Error AtomicFile::createIn(Descriptor folder, const QByteArray& name, mode_t mode) {
    if (unnamedFilesCanBeNamed()) {
        m_descriptor = OpenAt(folder.get(), ".", O_TMPFILE | O_WRONLY, mode);
        if (m_descriptor.isOpen()) {
            m_folder = std::move(folder);
            m_name = name;
            m_unnamed = true;
            return {};
        }
        if (!noUnnamedFiles(errno)) {
            return FailureOf(Operation::CreateTemporary);
        }
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = nextTemporaryName();
        m_descriptor = OpenAt(folder.get(), temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
        if (m_descriptor.isOpen()) {
            m_folder = std::move(folder);
            m_name = name;
            m_temporary = temporary;
            return {};
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return FailureOf(Operation::CreateTemporary);
}

bool AtomicFile::linkUnnamed(const QByteArray& name) const {
    // AT_EMPTY_PATH needs CAP_DAC_READ_SEARCH; without it the kernel says ENOENT and the file is linked through its
    // entry in /proc instead. Once that was needed, it is the only way tried.
    static std::atomic<bool> emptyPathRefused{false};
    if (!emptyPathRefused) {
        if (::linkat(m_descriptor.get(), "", m_folder.get(), name.constData(), AT_EMPTY_PATH) == 0) {
            return true;
        }
        if (errno != ENOENT) {
            return false;
        }
    }
    char procEntry[64];
    std::snprintf(procEntry, sizeof procEntry, "/proc/self/fd/%d", m_descriptor.get());
    if (::linkat(AT_FDCWD, procEntry, m_folder.get(), name.constData(), AT_SYMLINK_FOLLOW) != 0) {
        return false;
    }
    emptyPathRefused = true;
    return true;
}

Error AtomicFile::nameUnnamed(Commit how) {
    // Straight under the target's name where that is free: a link never replaces a name.
    if (linkUnnamed(m_name)) {
        if (const Error closed = m_descriptor.close(); closed.failed()) {
            ::unlinkat(m_folder.get(), m_name.constData(), 0);
            return closed;
        }
        m_committed = true;
        return {};
    }
    if (errno != EEXIST || how == Commit::NoReplace) {
        return FailureOf(Operation::MoveIntoPlace);
    }
    // Replacing: the file takes a hidden name first, which is then renamed over the target in one step.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = nextTemporaryName();
        if (linkUnnamed(temporary)) {
            m_temporary = temporary;
            return closeAndRename(how);
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return FailureOf(Operation::MoveIntoPlace);
}

Error AtomicFile::closeAndRename(Commit how) {
    if (const Error closed = m_descriptor.close(); closed.failed()) {
        return closed;
    }
    const int folder = m_folder.get();
    if (how == Commit::NoReplace) {
        if (const Error moved = RenameWithoutReplacing(folder, m_temporary, folder, m_name); moved.failed()) {
            return moved;
        }
    } else if (::renameat(folder, m_temporary.constData(), folder, m_name.constData()) != 0) {
        return FailureOf(Operation::MoveIntoPlace);
    }
    m_committed = true;
    return {};
}

Error AtomicFile::commit(Commit how, bool durable) {
    if (durable && ::fsync(m_descriptor.get()) != 0) {
        return FailureOf(Operation::WriteTemporary);
    }
    return m_unnamed ? nameUnnamed(how) : closeAndRename(how);
}

Error ReplaceFileContent(const QByteArray& path, const QByteArray& content) {
    struct stat existing {};
    const bool exists = ::lstat(path.constData(), &existing) == 0;
    if (exists && S_ISLNK(existing.st_mode)) {
        return writeThroughLink(path, content);
    }
    if (exists) {
        if (const Error refusal = CheckReplaceable(existing); refusal.failed()) {
            return refusal;
        }
    }
    AtomicFile file;
    if (const Error error = file.create(path, 0666); error.failed()) {
        return error;
    }
    if (const Error written = WriteAll(file.descriptor(), content); written.failed()) {
        return written;
    }
    if (exists && ::fchmod(file.descriptor(), existing.st_mode & 07777) != 0) {
        return FailureOf(Operation::WriteTemporary);
    }
    return file.commit(AtomicFile::Commit::Replace, true);
}

} // namespace Fs

#include "core/FsAtomicFile.h"

#include "core/FsTemporaryNames.h"

#include "core/FileNames.h"

#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace Fs {

namespace {

// The name that a write of path replaces. A symbolic link keeps pointing at the file it leads to, which is the one
// replaced; a dangling link is replaced itself.
QByteArray replacedName(const QByteArray& path) {
    struct stat entry {};
    if (::lstat(path.constData(), &entry) != 0 || !S_ISLNK(entry.st_mode)) {
        return path;
    }
    const std::unique_ptr<char, void (*)(void*)> resolved(::realpath(path.constData(), nullptr), std::free);
    return resolved ? QByteArray(resolved.get()) : path;
}

// Renames temporary onto target without ever replacing what holds the name.
bool renameWithoutReplacing(const QByteArray& temporary, const QByteArray& target) {
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // File systems without RENAME_NOREPLACE: a hard link never replaces either.
    if (::link(temporary.constData(), target.constData()) != 0) {
        return false;
    }
    ::unlink(temporary.constData());
    return true;
}

} // namespace

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
    if (!m_temporary.isEmpty() && !m_committed) {
        m_descriptor = Descriptor();
        ::unlink(m_temporary.constData());
    }
}

Error AtomicFile::create(const QByteArray& target, mode_t mode) {
    static std::atomic<unsigned> counter{0};
    const QByteArray folder = FolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = folder + '/' + TemporaryName(::getpid(), counter++);
        m_descriptor = Open(name, O_WRONLY | O_CREAT | O_EXCL, mode);
        if (m_descriptor.isOpen()) {
            m_target = target;
            m_temporary = name;
            return {};
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return FailureOf(Operation::CreateTemporary);
}

Error AtomicFile::commit(Commit how, bool durable) {
    if (durable && ::fsync(m_descriptor.get()) != 0) {
        return FailureOf(Operation::WriteTemporary);
    }
    if (!m_descriptor.close()) {
        return FailureOf(Operation::WriteTemporary);
    }
    const bool moved = how == Commit::Replace ? ::rename(m_temporary.constData(), m_target.constData()) == 0
                                              : renameWithoutReplacing(m_temporary, m_target);
    if (!moved) {
        return FailureOf(Operation::MoveIntoPlace);
    }
    m_committed = true;
    return {};
}

Error ReplaceFileContent(const QByteArray& path, const QByteArray& content) {
    const QByteArray target = replacedName(path);
    struct stat existing {};
    const bool replacing = ::stat(target.constData(), &existing) == 0;
    if (replacing) {
        if (const Error refusal = CheckReplaceable(existing); refusal.failed()) {
            return refusal;
        }
    }
    AtomicFile file;
    if (const Error error = file.create(target, 0666); error.failed()) {
        return error;
    }
    if (!WriteAll(file.descriptor(), content) ||
        (replacing && ::fchmod(file.descriptor(), existing.st_mode & 07777) != 0)) {
        return FailureOf(Operation::WriteTemporary);
    }
    return file.commit(AtomicFile::Commit::Replace, true);
}

} // namespace Fs

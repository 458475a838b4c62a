#include "journal/JournalTrust.h"

#include "core/FileNames.h"
#include "core/FsFolderWalk.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opened without following a link, as an O_PATH descriptor (no read permission needed to check it).
Fs::Descriptor openFolderAt(int folder, const QByteArray& name) {
    return Fs::Descriptor(::openat(folder, name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
}

} // namespace

std::optional<Distrust> DistrustOf(int descriptor, const QByteArray& path, bool folder) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || (folder ? !S_ISDIR(status.st_mode) : !S_ISREG(status.st_mode))) {
        return Distrust{path, Distrust::Why::WrongKind};
    }
    if (status.st_uid != ::geteuid()) {
        return Distrust{path, Distrust::Why::NotOwned};
    }
    if (status.st_mode & (S_IWGRP | S_IWOTH)) {
        return Distrust{path, Distrust::Why::OpenToOthers};
    }
    return std::nullopt;
}

TrustedJournalFolder::TrustedJournalFolder(const JournalFolder& folder) : m_folder(folder) {
    const QByteArray above = FolderOf(folder.path());
    // The folder above is reached as the user's own state folder names it; from there on nothing is followed.
    const Fs::Descriptor parent = Fs::OpenFolder(above);
    if (!parent.isOpen()) {
        return;
    }
    if ((m_distrust = DistrustOf(parent.get(), above, true))) {
        return;
    }
    Fs::Descriptor runs = openFolderAt(parent.get(), FileNameOf(folder.path()));
    if (!runs.isOpen()) {
        return;
    }
    if ((m_distrust = DistrustOf(runs.get(), folder.path(), true))) {
        return;
    }
    m_descriptor = std::move(runs);
}

Fs::Descriptor TrustedJournalFolder::openJournal(QByteArrayView id, int flags,
                                                 std::optional<Distrust>& distrust) const {
    const QByteArray path = m_folder.journalPath(id);
    Fs::Descriptor file(
        ::openat(m_descriptor.get(), FileNameOf(path).constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.isOpen()) {
        if (errno == ELOOP) {
            distrust = Distrust{path, Distrust::Why::WrongKind};
        }
        return {};
    }
    if ((distrust = DistrustOf(file.get(), path, false))) {
        return {};
    }
    return file;
}

Fs::Descriptor TrustedJournalFolder::openKeptFolder(QByteArrayView id, std::optional<Distrust>& distrust) const {
    const QByteArray path = m_folder.keptFolder(id);
    Fs::Descriptor folder = openFolderAt(m_descriptor.get(), FileNameOf(path));
    if (folder.isOpen() && (distrust = DistrustOf(folder.get(), path, true))) {
        return {};
    }
    return folder;
}

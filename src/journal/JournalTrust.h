#pragma once

#include "core/FsDescriptor.h"
#include "journal/JournalFolder.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Whether the journal files may be believed. A journal names files for undo to delete, move and restore, so a
// journal that another user could have written, or replaced, could turn undo against any file of the user's. The
// folder above the journal folder, the journal folder, each journal and each folder of kept files must therefore be
// the user's own (owned by the effective user) and writable by no one else, as ssh asks of ~/.ssh; the folders
// above those are not checked. Each is opened without following a link and checked on its descriptor.

struct Distrust {
    enum class Why {
        NotOwned,     // owned by another user
        OpenToOthers, // group or others may write it
        WrongKind,    // not a folder (or not a regular file, for a journal), or a symbolic link
    };
    QByteArray path;
    Why why = Why::NotOwned;
};

// The journal folder, opened for undo: its descriptor, or why it is not to be trusted.
class TrustedJournalFolder {
public:
    // Opens folder and the folder above it. missing() when either does not exist (no run was journaled there).
    explicit TrustedJournalFolder(const JournalFolder& folder);

    bool missing() const { return !m_descriptor.isOpen() && !m_distrust; }
    const std::optional<Distrust>& distrust() const { return m_distrust; }
    int descriptor() const { return m_descriptor.get(); }

    // Opens the journal of id with flags (O_NOFOLLOW and O_NONBLOCK added) and checks it: a regular file of the
    // user's that no one else may write. Not open when it cannot be opened (errno set) or is not to be trusted
    // (distrust set).
    Fs::Descriptor openJournal(QByteArrayView id, int flags, std::optional<Distrust>& distrust) const;
    // Opens the folder of files kept beside the journal id (O_PATH), checked as the folders are. Not open when
    // there is none (errno ENOENT) or it is not to be trusted (distrust set).
    Fs::Descriptor openKeptFolder(QByteArrayView id, std::optional<Distrust>& distrust) const;

private:
    JournalFolder m_folder;
    Fs::Descriptor m_descriptor;
    std::optional<Distrust> m_distrust;
};

// Why the open file or folder at path is not to be trusted, or nothing when it is the user's own and writable by no
// one else. folder: it must be a folder, otherwise a regular file.
std::optional<Distrust> DistrustOf(int descriptor, const QByteArray& path, bool folder);

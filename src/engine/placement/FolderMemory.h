#pragma once

#include "core/FsDescriptor.h"
#include "core/FsError.h"

#include <QByteArray>
#include <QHash>
#include <QSet>

#include <functional>
#include <optional>
#include <sys/types.h>
#include <unordered_map>

// What a sort run remembers about the folders it places files into, so that each fact is learnt once per run, and
// the folders themselves, open. Every destination folder lies below the run's output folder. The output folder is
// opened as the user named it (symbolic links followed: it is the user's own choice); each level below it only
// relative to the open level above and never through a symbolic link, so that a folder swapped for a link during
// the run never leads a placement out of the output folder.
class FolderMemory {
public:
    // outputFolder: the run's output folder as file-system bytes, ending in '/'. Each folder asked about is the output
    // folder followed by the levels below it.
    explicit FolderMemory(QByteArray outputFolder);

    const QByteArray& outputFolder() const { return m_outputFolder; }

    // An open folder for the *at calls, or why it could not be opened.
    struct Opened {
        int descriptor = -1; // an O_PATH descriptor, valid until the next open() or make()
        Fs::Error error;
    };
    // Opens folder, once per run: it then stays open. Of more open folders than kOpenLimit, the least recently used
    // is closed, and opened again when it is asked for. Fails with the failure remembered by make() or
    // rememberMakeFailure() while the folder cannot be opened, else with CreateTemporary and the errno of the walk.
    Opened open(const QByteArray& folder);
    // Makes folder with every missing level unless it is open or can be opened: the levels of the output folder
    // itself by their path, every level below it relative to the level above (see Fs::MakeFolderBeneath); made is
    // told of each level made. A folder removed during the run, or the output folder, is made again. A failure is
    // remembered (MakeFolder with the errno of the level that failed).
    void make(const QByteArray& folder, const std::function<void(const QByteArray& level)>& made);
    // Remembers why folder could not be made; open() reports it while the folder cannot be opened.
    void rememberMakeFailure(const QByteArray& folder, const Fs::Error& error);

    // The first time a run places into folder: removes the temporary files that ended processes of ours left there.
    void tidyOnce(const QByteArray& folder);

    // The device (file system) that folder lies on, 0 when it cannot be opened.
    dev_t deviceOf(const QByteArray& folder);

    // Auto-numbering of name in folder: the number to try first (0 stands for the name itself), and the number
    // after the one just given to a file. The disk stays the judge of what is free; this only saves asking it
    // again about the numbers already taken, so that n files of one name cost n steps, not n² / 2.
    qint64 nextNumber(const QByteArray& folder, const QByteArray& name) const;
    void rememberTaken(const QByteArray& folder, const QByteArray& name, qint64 number);

    static constexpr qsizetype kOpenLimit = 64;

private:
    struct OpenFolder {
        Fs::Descriptor descriptor;
        quint64 lastUse = 0;
    };

    // The levels of folder below the output folder as one path without empty or "." levels ("a//./b/" gives "a/b"),
    // or nothing when folder does not begin with the output folder.
    std::optional<QByteArray> relativeOf(const QByteArray& folder) const;
    // The open output folder, or -1 with errno set.
    int root();
    int keep(const QByteArray& relative, Fs::Descriptor descriptor);

    QByteArray m_outputFolder;
    Fs::Descriptor m_root;
    std::unordered_map<QByteArray, OpenFolder> m_open; // by the levels below the output folder
    quint64 m_uses = 0;
    QHash<QByteArray, Fs::Error> m_makeFailures; // by the levels below the output folder
    QSet<QByteArray> m_tidied;
    QHash<QByteArray, dev_t> m_devices;
    QHash<QByteArray, qint64> m_nextNumbers; // by folder, NUL, name (no path holds a NUL)
};

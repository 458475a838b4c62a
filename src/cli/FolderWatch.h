#pragma once

#include "core/FsDescriptor.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QList>

// What the watch of folders saw.
struct WatchEvent {
    enum class Kind {
        FileArrived, // a file was written and closed, or moved in, at path
        FolderGone,  // a watched folder given by the user was removed, moved away or unmounted: path
        Overflow,    // the kernel's queue overflowed: events were lost, and the folders must be looked at again
    };
    Kind kind = Kind::FileArrived;
    QByteArray path;
};

// The inotify watch of folders and of their sub-folders down to a depth: reports the files that were closed after
// writing (IN_CLOSE_WRITE) or moved in (IN_MOVED_TO); a folder made or moved in (IN_CREATE or IN_MOVED_TO with
// IN_ISDIR) within the depth is watched too, and the files it already holds are reported as arrived. Folders in
// excluded, and everything below them, are never watched nor reported. Sub-folders are watched without following a
// symbolic link.
class FolderWatch {
public:
    // depth: the levels of sub-folders to watch below each folder (0: the folder's own files).
    FolderWatch(int depth, QByteArrayList excluded);

    // Watches folder, as the user named it, and its sub-folders within the depth. False, with errno, when the
    // folder cannot be watched.
    bool addRoot(const QByteArray& folder);

    // The files now in the watched folders (each within the depth), for the first sort and after an overflow.
    QByteArrayList filesNow() const;

    // Waits up to timeoutMs for events and returns them; an empty list when none came (or a signal woke it).
    QList<WatchEvent> wait(int timeoutMs);

    // The folders given by the user that are still watched.
    int rootsWatched() const;

    // True for an excluded folder and for anything below one.
    bool isExcluded(const QByteArray& path) const;

private:
    struct Watched {
        QByteArray path;
        int level = 0; // 0 for a folder given by the user
    };
    bool watchFolder(const QByteArray& path, int level, QList<WatchEvent>* arrived);
    void addFilesIn(const QByteArray& folder, int level, QByteArrayList& files) const;
    void readEvents(QList<WatchEvent>& events);

    Fs::Descriptor m_inotify;
    int m_depth;
    QByteArrayList m_excluded;
    QHash<int, Watched> m_watched; // by watch descriptor
};

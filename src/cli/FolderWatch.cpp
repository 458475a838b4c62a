#include "cli/FolderWatch.h"

#include "core/FileNames.h"

#include <cerrno>
#include <dirent.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint32_t kFileEvents = IN_CLOSE_WRITE | IN_MOVED_TO;
constexpr uint32_t kFolderEvents = IN_CREATE | IN_MOVED_TO;
constexpr uint32_t kGoneEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;

QByteArray withoutTrailingSlashes(QByteArray path) {
    while (path.size() > 1 && path.endsWith('/')) {
        path.chop(1);
    }
    return path;
}

// The entries of folder with their kinds as the folder listing gives them (links not followed).
template <typename Visit> void forEachEntry(const QByteArray& folder, Visit visit) {
    DIR* listing = ::opendir(folder.constData());
    if (!listing) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        unsigned char type = entry->d_type;
        const QByteArray path = JoinPath(folder, name);
        if (type == DT_UNKNOWN) {
            struct stat status {};
            type = ::lstat(path.constData(), &status) != 0 ? DT_UNKNOWN
                   : S_ISDIR(status.st_mode)               ? DT_DIR
                   : S_ISREG(status.st_mode)               ? DT_REG
                                                           : DT_UNKNOWN;
        }
        visit(path, type);
    }
    ::closedir(listing);
}

} // namespace

FolderWatch::FolderWatch(int depth, QByteArrayList excluded)
    : m_inotify(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), m_depth(depth) {
    for (const QByteArray& folder : excluded) {
        m_excluded.append(withoutTrailingSlashes(folder));
    }
}

bool FolderWatch::isExcluded(const QByteArray& path) const {
    for (const QByteArray& folder : m_excluded) {
        if (path == folder || (path.startsWith(folder) && (folder.endsWith('/') || path[folder.size()] == '/'))) {
            return true;
        }
    }
    return false;
}

bool FolderWatch::addRoot(const QByteArray& folder) {
    if (!m_inotify.isOpen()) {
        return false;
    }
    return watchFolder(withoutTrailingSlashes(folder), 0, nullptr);
}

bool FolderWatch::watchFolder(const QByteArray& path, int level, QList<WatchEvent>* arrived) {
    if (isExcluded(path)) {
        return true; // never watched, and not an error
    }
    // A folder given by the user is watched as named; one below it never through a symbolic link.
    const uint32_t mask = kFileEvents | kFolderEvents | kGoneEvents | IN_ONLYDIR | (level > 0 ? IN_DONT_FOLLOW : 0);
    const int watch = ::inotify_add_watch(m_inotify.get(), path.constData(), mask);
    if (watch < 0) {
        return false;
    }
    m_watched.insert(watch, {path, level});
    forEachEntry(path, [&](const QByteArray& entry, unsigned char type) {
        if (type == DT_DIR && level < m_depth) {
            watchFolder(entry, level + 1, arrived);
        } else if (type == DT_REG && arrived && !isExcluded(entry)) {
            // Files in a folder that arrived whole were written before the watch began.
            arrived->append({WatchEvent::Kind::FileArrived, entry});
        }
    });
    return true;
}

void FolderWatch::addFilesIn(const QByteArray& folder, int level, QByteArrayList& files) const {
    forEachEntry(folder, [&](const QByteArray& entry, unsigned char type) {
        if (isExcluded(entry)) {
            return;
        }
        if (type == DT_REG) {
            files.append(entry);
        } else if (type == DT_DIR && level < m_depth) {
            addFilesIn(entry, level + 1, files);
        }
    });
}

QByteArrayList FolderWatch::filesNow() const {
    QByteArrayList files;
    for (const Watched& watched : m_watched) {
        if (watched.level == 0) {
            addFilesIn(watched.path, 0, files);
        }
    }
    return files;
}

int FolderWatch::rootsWatched() const {
    int roots = 0;
    for (const Watched& watched : m_watched) {
        roots += watched.level == 0 ? 1 : 0;
    }
    return roots;
}

QList<WatchEvent> FolderWatch::wait(int timeoutMs) {
    QList<WatchEvent> events;
    pollfd ready{m_inotify.get(), POLLIN, 0};
    if (::poll(&ready, 1, timeoutMs) > 0) {
        readEvents(events);
    }
    return events;
}

void FolderWatch::readEvents(QList<WatchEvent>& events) {
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(m_inotify.get(), buffer, sizeof buffer);
        if (got <= 0) {
            return; // EAGAIN: all read
        }
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                events.append({WatchEvent::Kind::Overflow, {}});
                continue;
            }
            const auto found = m_watched.constFind(event->wd);
            if (found == m_watched.cend()) {
                continue;
            }
            const Watched watched = *found;
            if (event->mask & (kGoneEvents | IN_IGNORED)) {
                // IN_IGNORED follows every end of a watch; the folder is reported once, on its first sign.
                if (m_watched.remove(event->wd) && watched.level == 0) {
                    events.append({WatchEvent::Kind::FolderGone, watched.path});
                }
                if (!(event->mask & IN_IGNORED)) {
                    ::inotify_rm_watch(m_inotify.get(), event->wd);
                }
                continue;
            }
            if (event->len == 0) {
                continue;
            }
            const QByteArray path = JoinPath(watched.path, QByteArray(event->name));
            if (event->mask & IN_ISDIR) {
                if (watched.level < m_depth) {
                    watchFolder(path, watched.level + 1, &events);
                }
            } else if ((event->mask & kFileEvents) && !isExcluded(path)) {
                events.append({WatchEvent::Kind::FileArrived, path});
            }
        }
    }
}

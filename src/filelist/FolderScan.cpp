#include "filelist/FolderScan.h"

#include "core/FsEntries.h"
#include "core/FsTemporaryNames.h"
#include "core/IntegerText.h"

#include <QByteArrayList>

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace {

using Directory = std::unique_ptr<DIR, int (*)(DIR*)>;

// The type of an entry of the open folder: from the folder listing where the file system gives it, otherwise by
// asking for the entry itself. A link is followed only to learn whether it leads to a folder.
EntryType typeOf(DIR* folder, const dirent& entry) {
    unsigned char type = entry.d_type;
    struct stat entryStat {};
    if (type == DT_UNKNOWN) {
        if (::fstatat(::dirfd(folder), entry.d_name, &entryStat, AT_SYMLINK_NOFOLLOW) != 0) {
            return EntryType::Other;
        }
        type = S_ISDIR(entryStat.st_mode) ? DT_DIR : (S_ISLNK(entryStat.st_mode) ? DT_LNK : DT_REG);
    }
    if (type == DT_DIR) {
        return EntryType::Folder;
    }
    if (type == DT_LNK && ::fstatat(::dirfd(folder), entry.d_name, &entryStat, 0) == 0 && S_ISDIR(entryStat.st_mode)) {
        return EntryType::LinkToFolder;
    }
    return EntryType::Other;
}

// Calls visit(name, class) for every entry of folder in the order the file system reports them, until it returns
// false. Returns 0, or the errno of a folder that cannot be opened (a path longer than PATH_MAX included) or whose
// listing broke off.
template <typename Visit> int forEachEntry(const QByteArray& folder, Visit visit) {
    const Directory directory(::opendir(folder.constData()), ::closedir);
    if (!directory) {
        return errno;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(directory.get());
        if (!entry) {
            return errno;
        }
        const QByteArrayView name(entry->d_name);
        if (!visit(name, ClassifyEntry(name, typeOf(directory.get(), *entry)))) {
            return 0;
        }
    }
}

} // namespace

EntryClass ClassifyEntry(QByteArrayView name, EntryType type) {
    if (name == ".." || name == ".") {
        return EntryClass::DotEntry;
    }
    switch (type) {
    case EntryType::Folder:
        return EntryClass::SubFolder;
    case EntryType::LinkToFolder:
        return EntryClass::FolderLink;
    case EntryType::Other:
        break;
    }
    return EntryClass::File;
}

std::optional<int> ParseScanDepth(QStringView levelText) {
    return ParseDecimalPosition(levelText.trimmed().toString());
}

QByteArray WithTrailingSlash(const QByteArray& folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

FolderScanner::FolderScanner(FileListModel& fileList, ScanHost& host, bool showAsItGoes,
                             std::chrono::milliseconds timeSlice)
    : m_host(host), m_appender(fileList, host, showAsItGoes, timeSlice) {}

void FolderScanner::scanOneFolder(const QByteArray& folder, QByteArrayList* subFolders) {
    // One buffer for the paths of the folder's files: the list copies each into its own storage.
    QByteArray path = folder;
    path.reserve(folder.size() + NAME_MAX);
    const int error = forEachEntry(folder, [&](QByteArrayView name, EntryClass entryClass) {
        if (!m_appender.keepWindowResponsive()) {
            return false;
        }
        // Our own files still being written are no files of the user's.
        if (entryClass == EntryClass::File && !Fs::IsTemporaryName(name)) {
            path.truncate(folder.size());
            m_appender.add(path.append(name));
        } else if (entryClass == EntryClass::SubFolder && subFolders) {
            subFolders->append(QByteArray(folder).append(name).append('/'));
        }
        return true;
    });
    if (error != 0) {
        m_unreadable.append({folder.size() > 1 ? folder.chopped(1) : folder, error});
    } else {
        ++m_foldersRead;
    }
}

void FolderScanner::scanFolder(const QByteArray& folder) {
    scanOneFolder(WithTrailingSlash(folder), nullptr);
    m_appender.showGathered();
}

void FolderScanner::scanTree(const QByteArray& folder) {
    walk(folder, std::nullopt);
    m_appender.showGathered();
}

void FolderScanner::scanToDepth(const QByteArray& folder, int depth) {
    walk(folder, depth);
    m_appender.showGathered();
}

void FolderScanner::walk(const QByteArray& folder, std::optional<int> depthLeft) {
    if (depthLeft && *depthLeft < 0) {
        return;
    }
    // At depth 0 the sub-folders would be entered with a negative depth and add nothing, so they are not listed.
    QByteArrayList subFolders;
    scanOneFolder(folder, depthLeft != 0 ? &subFolders : nullptr);
    for (const QByteArray& subFolder : subFolders) {
        if (m_host.stopRequested()) {
            return;
        }
        walk(subFolder, depthLeft ? std::optional<int>(*depthLeft - 1) : std::nullopt);
    }
}

ChosenFolderScan ScanChosenFolder(const FolderScanRequest& request, FileListModel& fileList, ScanHost& host) {
    if (!Fs::ReachesFolder(request.folder)) {
        return {};
    }
    FolderScanner scanner(fileList, host, request.wholeTree);
    if (request.wholeTree) {
        scanner.scanTree(WithTrailingSlash(request.folder));
    } else if (request.depthLimited) {
        if (const std::optional<int> depth = ParseScanDepth(request.levelText)) {
            scanner.scanToDepth(WithTrailingSlash(request.folder), *depth);
        }
    } else {
        scanner.scanFolder(request.folder);
    }
    return {scanner.filesFound(), scanner.unreadableFolders()};
}

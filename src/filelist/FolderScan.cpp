#include "filelist/FolderScan.h"

#include "core/FsEntries.h"
#include "core/IntegerText.h"
#include "filelist/FileListModel.h"

#include <QByteArrayList>

#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr qint64 kEventIntervalMs = 15;

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

// Calls visit(name, class) for every entry of folder in the order the file system reports them; a folder that
// cannot be opened has no entries.
template <typename Visit> void forEachEntry(const QByteArray& folder, Visit visit) {
    const Directory directory(::opendir(folder.constData()), ::closedir);
    if (!directory) {
        return;
    }
    while (const dirent* entry = ::readdir(directory.get())) {
        const QByteArrayView name(entry->d_name);
        visit(name, ClassifyEntry(name, typeOf(directory.get(), *entry)));
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

FolderScanner::FolderScanner(FileListModel& fileList, ScanHost& host) : m_fileList(fileList), m_host(host) {
    m_sinceEvents.start();
}

void FolderScanner::keepWindowResponsive() {
    if (m_sinceEvents.elapsed() >= kEventIntervalMs) {
        m_host.processEvents();
        m_sinceEvents.restart();
    }
}

void FolderScanner::scanOneFolder(const QByteArray& folder, QByteArrayList* subFolders) {
    QByteArrayList files;
    forEachEntry(folder, [&](QByteArrayView name, EntryClass entryClass) {
        if (entryClass == EntryClass::File) {
            files.append(QByteArray(folder).append(name));
        } else if (entryClass == EntryClass::SubFolder && subFolders) {
            subFolders->append(QByteArray(folder).append(name).append('/'));
        }
        keepWindowResponsive();
    });
    m_fileList.AppendUnique(files);
}

void FolderScanner::scanFolder(const QByteArray& folder) {
    scanOneFolder(WithTrailingSlash(folder), nullptr);
}

void FolderScanner::IndexDisk(const QByteArray& folder) {
    m_host.repaintFileList();
    QByteArrayList subFolders;
    scanOneFolder(folder, &subFolders);
    for (const QByteArray& subFolder : subFolders) {
        if (m_host.stopRequested()) {
            return;
        }
        IndexDisk(subFolder);
    }
}

void FolderScanner::IndexDisk2(const QByteArray& folder, int depth) {
    if (depth < 0) {
        return;
    }
    // At depth 0 the sub-folders would be entered with a negative depth and add nothing, so they are not listed.
    QByteArrayList subFolders;
    scanOneFolder(folder, depth > 0 ? &subFolders : nullptr);
    for (const QByteArray& subFolder : subFolders) {
        if (m_host.stopRequested()) {
            return;
        }
        IndexDisk2(subFolder, depth - 1);
    }
}

void ScanChosenFolder(const FolderScanRequest& request, FileListModel& fileList, ScanHost& host) {
    if (!Fs::ReachesFolder(request.folder)) {
        return;
    }
    FolderScanner scanner(fileList, host);
    if (request.wholeTree) {
        scanner.IndexDisk(WithTrailingSlash(request.folder));
    } else if (request.depthLimited) {
        if (const std::optional<int> depth = ParseScanDepth(request.levelText)) {
            scanner.IndexDisk2(WithTrailingSlash(request.folder), *depth);
        }
    } else {
        scanner.scanFolder(request.folder);
    }
}

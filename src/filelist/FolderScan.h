#pragma once

#include "filelist/ScanHost.h"
#include "filelist/SlicedAppender.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

class FileListModel;

// Adding the files of a folder to the file list: the folder's own files, the files of its whole tree, or the files
// down to a number of sub-folder levels. Paths are the file system's bytes, so names that are not valid UTF-8 are
// kept exactly. Symbolic links to folders are never entered (which also ends link loops) and not added either;
// every other entry that is not a folder (links to files, FIFOs, sockets) counts as a file. A folder that cannot be
// listed (no permission, a path longer than PATH_MAX, a listing that breaks off) adds what it gave; the scan goes on
// and names it among its unreadable folders.

// What the file system says an entry is.
enum class EntryType {
    Folder,
    LinkToFolder,
    Other,
};

enum class EntryClass {
    DotEntry,   // "." or ".."
    SubFolder,  // a folder to enter
    FolderLink, // a symbolic link to a folder: neither entered nor added
    File,       // anything else
};

EntryClass ClassifyEntry(QByteArrayView name, EntryType type);

// The scan depth typed in the folder picker's level box: a decimal 32-bit number, optionally signed, blanks
// around it allowed. Nothing for an empty text, other characters or a number out of range: the scan then adds
// nothing.
std::optional<int> ParseScanDepth(QStringView levelText);

// folder with a '/' at its end, added unless it already ends in one.
QByteArray WithTrailingSlash(const QByteArray& folder);

// A folder a scan could not read, whole or in part, with the errno the system gave.
struct UnreadableFolder {
    QByteArray path; // without a trailing '/'
    int error = 0;
};

// Walks folders and appends the files it finds to the file list through AppendUnique, one batch per time slice,
// so a file already in the list is not added again. Within a folder the entries keep the order the file system
// reports; nothing is sorted. A folder's own files come before anything from its sub-folders, and each sub-folder's
// results come in full before the next sub-folder's (depth first). Our own temporary files are never added.
class FolderScanner {
public:
    // showAsItGoes: repaint the list after each time slice (the whole-tree scan).
    FolderScanner(FileListModel& fileList, ScanHost& host, bool showAsItGoes = false,
                  std::chrono::milliseconds timeSlice = kScanTimeSlice);

    // The files directly in folder (no sub-folders), folder given with or without a trailing '/'.
    void scanFolder(const QByteArray& folder);
    // The files of folder and of all its sub-folders at any depth; folder ends in '/'.
    void scanTree(const QByteArray& folder);
    // The files of folder and of its sub-folders down to depth levels below it (0: folder's own files only);
    // folder ends in '/'. A negative depth adds nothing.
    void scanToDepth(const QByteArray& folder, int depth);

    // The folders the scans of this scanner could not read, in the order met, and how many folders they did read.
    const QList<UnreadableFolder>& unreadableFolders() const { return m_unreadable; }
    // How many files the scans of this scanner found, those already listed included.
    qint64 filesFound() const { return m_appender.offered(); }
    int foldersRead() const { return m_foldersRead; }

private:
    // The files of folder and of its sub-folders down to depthLeft levels, or at any depth without it.
    void walk(const QByteArray& folder, std::optional<int> depthLeft);
    // Collects the files of folder (ending in '/') and, when subFolders is given, the paths of its sub-folders
    // (each ending in '/') in it. One listing of the folder serves both: reading each folder twice would double the
    // time the file system takes.
    void scanOneFolder(const QByteArray& folder, QByteArrayList* subFolders);

    ScanHost& m_host;
    SlicedAppender m_appender;
    QList<UnreadableFolder> m_unreadable;
    int m_foldersRead = 0;
};

// What the folder picker asked for: the chosen folder (file-system bytes, with or without a trailing '/'), the
// whole-tree box, the depth-limited box and the level text.
struct FolderScanRequest {
    QByteArray folder;
    bool wholeTree = false;
    bool depthLimited = false;
    QString levelText;
};

// What a scan of a chosen folder found: the files, those already listed included, and the folders it could not read.
struct ChosenFolderScan {
    qint64 filesFound = 0;
    QList<UnreadableFolder> unreadable;
};

// Runs the scan the picker asked for: the whole tree when wholeTree is set (it wins over depthLimited), the levels
// of the level text when depthLimited is set, the folder's own files otherwise. Does nothing when the folder is not
// an existing folder or the level text is not a number.
ChosenFolderScan ScanChosenFolder(const FolderScanRequest& request, FileListModel& fileList, ScanHost& host);

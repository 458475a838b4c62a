#include "cli/InputPaths.h"

#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "cli/SortRequest.h"
#include "cli/StandardStreams.h"
#include "core/ErrnoText.h"
#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "core/FsTemporaryNames.h"
#include "engine/Interruption.h"
#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"
#include "filelist/ListFile.h"

#include <cstdlib>
#include <unistd.h>

using namespace Qt::StringLiterals;

Fs::Result<QByteArray> WorkingFolder() {
    char* folder = ::getcwd(nullptr, 0);
    if (!folder) {
        return Fs::FailureOf(Fs::Operation::OpenSource);
    }
    QByteArray bytes(folder);
    std::free(folder);
    return bytes;
}

QByteArray AbsolutePath(const QByteArray& path, const QByteArray& workingFolder) {
    if (path.startsWith('/')) {
        return path;
    }
    QByteArrayView relative(path);
    while (relative.startsWith("./")) {
        relative = relative.sliced(2);
        while (relative.startsWith('/')) {
            relative = relative.sliced(1);
        }
    }
    if (relative.isEmpty() || relative == ".") {
        return workingFolder;
    }
    return (workingFolder.endsWith('/') ? workingFolder : workingFolder + '/') + relative.toByteArray();
}

std::optional<QByteArray> AbsolutePath(const QByteArray& path) {
    if (path.startsWith('/')) {
        return path;
    }
    const Fs::Result<QByteArray> workingFolder = WorkingFolder();
    return workingFolder.failed() ? std::nullopt : std::optional<QByteArray>(AbsolutePath(path, *workingFolder));
}

namespace {

// Scans on the command line have no window to keep alive; a termination signal stops them.
class CommandLineScanHost final : public ScanHost {
public:
    void processEvents() override {}
    void repaintFileList() override {}
    bool stopRequested() const override { return InterruptionRequested(); }
};

QString escaped(const QByteArray& path) {
    return QString::fromUtf8(EscapedText(path));
}

QString cannotRead(const QString& what, int code) {
    return CommandLine::tr("%1: cannot read: %2").arg(what, ErrnoText(code));
}

// The whole of standard input; ReadSource with the errno value when it cannot be read or a signal stopped the
// reading (EINTR).
Fs::Result<QByteArray> readStandardInput() {
    QByteArray text;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ReadStandardInput(buffer, sizeof buffer);
        if (count > 0) {
            text.append(buffer, count);
        } else if (count == 0) {
            return text;
        } else {
            return Fs::FailureOf(Fs::Operation::ReadSource);
        }
    }
}

// What the scans of scanner found, into added.
void noteScans(const FolderScanner& scanner, AddedInputs& added) {
    added.unreadableFolders += scanner.unreadableFolders();
    added.anyRead = added.anyRead || scanner.foldersRead() > 0;
}

void addStandardInput(bool nulSeparated, FileListModel& fileList, AddedInputs& added) {
    const Fs::Result<QByteArray> text = readStandardInput();
    if (text.failed()) {
        added.error = cannotRead(CommandLine::tr("standard input"), text.error().code);
        return;
    }
    QByteArrayList paths = nulSeparated ? text->split('\0') : SplitListFileLines(*text);
    paths.removeAll(QByteArray());
    const AddedInputs named = AddNamedPaths(paths, fileList);
    added.unreadableFolders += named.unreadableFolders;
    added.anyRead = added.anyRead || named.anyRead;
    if (!named.missing.isEmpty()) {
        added.error = CommandLine::tr("%1: no such file or folder (read from standard input)")
                          .arg(escaped(named.missing.first()));
    }
}

std::optional<QString> addListFile(const QByteArray& fileName, const QByteArray& workingFolder,
                                   FileListModel& fileList) {
    // As the window imports a list, but a relative line names a path below the working folder, as on the command
    // line itself: lines that name nothing, and our own temporary files, drop out; a folder is an entry itself.
    QByteArrayList paths;
    const Fs::Error error = ReadListFile(AbsolutePath(fileName, workingFolder), [&](QByteArrayView line) {
        if (!line.isEmpty()) {
            const QByteArray path = AbsolutePath(line.toByteArray(), workingFolder);
            if (!Fs::IsTemporaryName(FileNameOf(path)) && Fs::ReachesAnything(path)) {
                paths.append(path);
            }
        }
        return !InterruptionRequested();
    });
    if (error.failed()) {
        return cannotRead(u"--list "_s + escaped(fileName), error.code);
    }
    fileList.AppendUnique(paths);
    return std::nullopt;
}

} // namespace

AddedInputs AddNamedPaths(const QByteArrayList& paths, FileListModel& fileList) {
    AddedInputs added;
    const Fs::Result<QByteArray> workingFolder = WorkingFolder();
    CommandLineScanHost host;
    FolderScanner scanner(fileList, host);
    for (const QByteArray& path : paths) {
        const QByteArray absolute = workingFolder.failed() ? path : AbsolutePath(path, *workingFolder);
        if (Fs::ReachesFolder(absolute)) {
            scanner.scanFolder(absolute);
        } else if (Fs::ReachesAnything(absolute)) {
            fileList.AppendUnique({absolute});
            added.anyRead = true;
        } else {
            added.missing.append(path);
        }
    }
    noteScans(scanner, added);
    return added;
}

AddedInputs AddSortInputs(const SortInputSources& sources, FileListModel& fileList) {
    const Fs::Result<QByteArray> workingFolder = WorkingFolder();
    if (workingFolder.failed()) {
        AddedInputs failed;
        failed.error = cannotRead(CommandLine::tr("the working folder"), workingFolder.error().code);
        return failed;
    }
    AddedInputs added = AddNamedPaths(sources.paths, fileList);
    if (!added.missing.isEmpty()) {
        added.error = CommandLine::tr("%1: no such file or folder").arg(escaped(added.missing.first()));
        return added;
    }
    for (const QByteArray& listFile : sources.listFiles) {
        added.error = addListFile(listFile, *workingFolder, fileList);
        if (added.error) {
            return added;
        }
        added.anyRead = true;
    }
    CommandLineScanHost host;
    FolderScanner scanner(fileList, host);
    for (const QByteArray& folder : sources.scanFolders) {
        const QByteArray absolute = WithTrailingSlash(AbsolutePath(folder, *workingFolder));
        if (!Fs::ReachesFolder(absolute)) {
            added.error = CommandLine::tr("--scan %1: expected a folder").arg(escaped(folder));
            return added;
        }
        if (sources.depth) {
            scanner.scanToDepth(absolute, *sources.depth);
        } else {
            scanner.scanTree(absolute);
        }
    }
    noteScans(scanner, added);
    if (sources.standardInput) {
        addStandardInput(sources.nulSeparated, fileList, added);
    }
    return added;
}

QString UnreadableFolderLine(const UnreadableFolder& folder) {
    return cannotRead(escaped(folder.path), folder.error);
}

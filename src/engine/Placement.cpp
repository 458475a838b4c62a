#include "engine/Placement.h"

#include "core/FileNames.h"
#include "core/TextBytes.h"
#include "engine/FileCopy.h"

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <system_error>

using namespace Qt::StringLiterals;

bool FileExists(const QByteArray& path) {
    struct stat entry {};
    if (::lstat(path.constData(), &entry) != 0) {
        return false;
    }
    return !FolderExists(path);
}

bool FolderExists(const QByteArray& path) {
    struct stat entry {};
    return ::stat(path.constData(), &entry) == 0 && S_ISDIR(entry.st_mode);
}

void EnsureFolder(const QByteArray& folder) {
    if (FolderExists(folder)) {
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(folder.toStdString()), ignored);
}

namespace {

PlaceResult copyTo(const QByteArray& source, const QByteArray& target, bool failIfExists, const PlacementHost& host,
                   const CopyHooks* hooks) {
    const int error = CopyRegularFile(source, target, {failIfExists, host.moveMode(), hooks});
    if (error == 0) {
        return PlaceResult::Copied;
    }
    // A refusal because a file of that name is there is the policy at work, not a failure.
    return failIfExists && error == EEXIST && FileExists(target) ? PlaceResult::Declined : PlaceResult::Failed;
}

// The first of name, stem_1.ext, stem_2.ext, ... that no file in folder bears.
QByteArray firstFreeName(const QByteArray& folder, const QByteArray& name) {
    const QByteArray stem = StemOf(name);
    const QByteArray extension = ExtensionOf(name);
    QByteArray candidate = name;
    for (qint64 n = 1; FileExists(JoinPath(folder, candidate)); ++n) {
        candidate = stem + '_' + QByteArray::number(n) + extension;
    }
    return candidate;
}

} // namespace

PlaceResult PlaceFile(const QByteArray& source, const QByteArray& destFolder, PlacementHost& host,
                      const CopyHooks* hooks) {
    const QByteArray name = FileNameOf(source);
    const QByteArray target = JoinPath(destFolder, name);
    switch (host.sameNamePolicy()) {
    case SameNamePolicy::Rename:
        return copyTo(source, JoinPath(destFolder, firstFreeName(destFolder, name)), true, host, hooks);
    case SameNamePolicy::Ask: {
        const bool replace =
            !FileExists(target) || host.askOverwrite(u"文件"_s + DisplayText(target) + u"已存在，是否覆盖？"_s);
        return copyTo(source, target, !replace, host, hooks);
    }
    case SameNamePolicy::Skip:
        return copyTo(source, target, true, host, hooks);
    case SameNamePolicy::Overwrite:
        break;
    }
    return copyTo(source, target, false, host, hooks);
}

#include "engine/Placement.h"

#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "core/TextBytes.h"
#include "engine/FileCopy.h"

#include <cerrno>

using namespace Qt::StringLiterals;

void EnsureFolder(const QByteArray& folder) {
    if (!Fs::ReachesFolder(folder)) {
        Fs::MakeFolders(folder);
    }
}

namespace {

PlaceOutcome copyTo(const QByteArray& source, const QByteArray& target, bool failIfExists, const PlacementHost& host) {
    const Fs::Error error = CopyRegularFile(source, target, {.failIfExists = failIfExists, .durable = host.moveMode()});
    if (!error.failed()) {
        return {PlaceResult::Copied, {}};
    }
    // A refusal because a file of that name is there is the policy at work, not a failure.
    if (failIfExists && error.code == EEXIST && Fs::NameTakenByNonFolder(target)) {
        return {PlaceResult::Declined, {}};
    }
    return {PlaceResult::Failed, error};
}

bool answersYes(OverwriteAnswer answer) {
    return answer == OverwriteAnswer::Yes || answer == OverwriteAnswer::YesToAll;
}

// The first of name, stem_1.ext, stem_2.ext, ... that no file in folder bears.
QByteArray firstFreeName(const QByteArray& folder, const QByteArray& name) {
    const QByteArray stem = StemOf(name);
    const QByteArray extension = ExtensionOf(name);
    QByteArray candidate = name;
    for (qint64 n = 1; Fs::NameTakenByNonFolder(JoinPath(folder, candidate)); ++n) {
        candidate = stem + '_' + QByteArray::number(n) + extension;
    }
    return candidate;
}

} // namespace

PlaceOutcome PlaceFile(const QByteArray& source, const QByteArray& destFolder, PlacementHost& host) {
    const QByteArray name = FileNameOf(source);
    const QByteArray target = JoinPath(destFolder, name);
    switch (host.sameNamePolicy()) {
    case SameNamePolicy::Rename:
        return copyTo(source, JoinPath(destFolder, firstFreeName(destFolder, name)), true, host);
    case SameNamePolicy::Ask: {
        const bool replace =
            !Fs::NameTakenByNonFolder(target) ||
            answersYes(host.askOverwrite({u"文件"_s + DisplayText(target) + u"已存在，是否覆盖？"_s, target, source}));
        return copyTo(source, target, !replace, host);
    }
    case SameNamePolicy::Skip:
        return copyTo(source, target, true, host);
    case SameNamePolicy::Overwrite:
        break;
    }
    return copyTo(source, target, false, host);
}

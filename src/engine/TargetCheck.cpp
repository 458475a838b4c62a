#include "engine/TargetCheck.h"

#include "core/FsAtomicFile.h"

Fs::Error CheckTarget(const struct stat& source, const QByteArray& target, bool failIfExists) {
    struct stat existing {};
    if (::stat(target.constData(), &existing) != 0) {
        return {};
    }
    if (existing.st_dev == source.st_dev && existing.st_ino == source.st_ino) {
        return {Fs::Operation::CheckTarget, EINVAL};
    }
    // A folder at the name is a refusal under every policy, and says so.
    if (S_ISDIR(existing.st_mode)) {
        return {Fs::Operation::CheckTarget, EISDIR};
    }
    if (failIfExists) {
        return {Fs::Operation::CheckTarget, EEXIST};
    }
    return Fs::CheckReplaceable(existing);
}

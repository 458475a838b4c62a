#include "core/FsTargetCheck.h"

#include "core/FsAtomicFile.h"

#include <fcntl.h>

namespace Fs {

Error CheckTarget(const struct stat& source, int folder, const QByteArray& name, bool failIfExists) {
    struct stat existing {};
    if (::fstatat(folder, name.constData(), &existing, 0) != 0) {
        return {};
    }
    if (existing.st_dev == source.st_dev && existing.st_ino == source.st_ino) {
        return {Operation::CheckTarget, EINVAL};
    }
    // A folder at the name is a refusal under every policy, and says so.
    if (S_ISDIR(existing.st_mode)) {
        return {Operation::CheckTarget, EISDIR};
    }
    if (failIfExists) {
        return {Operation::CheckTarget, EEXIST};
    }
    return CheckReplaceable(existing);
}

} // namespace Fs

#include "engine/placement/FileRename.h"

#include "core/FsAtomicFile.h"
#include "core/FsRegularFile.h"
#include "core/FsTargetCheck.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<Fs::Error> RenameRegularFile(const QByteArray& source, const struct stat& entry, int folder,
                                           const QByteArray& name, bool failIfExists) {
    if (!S_ISREG(entry.st_mode)) {
        return std::nullopt;
    }
    const Fs::RegularFile file(source);
    if (!file.isOpen() || file.status().st_dev != entry.st_dev || file.status().st_ino != entry.st_ino) {
        return std::nullopt;
    }
    if (const Fs::Error refusal = Fs::CheckTarget(entry, folder, name, failIfExists); refusal.failed()) {
        return refusal;
    }
    if (!failIfExists) {
        return ::renameat(AT_FDCWD, source.constData(), folder, name.constData()) == 0 ? std::optional(Fs::Error())
                                                                                       : std::nullopt;
    }
    const Fs::Error renamed = Fs::RenameWithoutReplacing(AT_FDCWD, source, folder, name);
    if (!renamed.failed() || renamed.code == EEXIST) {
        return renamed;
    }
    return std::nullopt;
}

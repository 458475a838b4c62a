#include "TreeSnapshot.h"

#include "core/FsRegularFile.h"
#include "journal/FileIdentity.h"

#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

void addBelow(const QByteArray& root, const QByteArray& relative, TreeSnapshot& snapshot) {
    const QByteArray folder = relative.isEmpty() ? root : root + '/' + relative;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.constData()), ::closedir);
    if (!listing) {
        return;
    }
    while (const dirent* entry = ::readdir(listing.get())) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == ".." || (relative.isEmpty() && name.startsWith(".Trash"))) {
            continue;
        }
        const QByteArray path = relative.isEmpty() ? name : relative + '/' + name;
        struct stat status {};
        if (::lstat((root + '/' + path).constData(), &status) != 0) {
            continue;
        }
        TreeEntry item;
        if (S_ISDIR(status.st_mode)) {
            item.kind = 'd';
            addBelow(root, path, snapshot);
        } else if (S_ISLNK(status.st_mode)) {
            item.kind = 'l';
        } else {
            (void)Fs::ReadRegularFile(root + '/' + path, item.content);
            item.mode = status.st_mode & 07777;
            item.mtimeNs = IdentityOf(status).mtimeNs;
        }
        snapshot.insert(path, item);
    }
}

} // namespace

TreeSnapshot SnapshotOf(const QByteArray& root) {
    TreeSnapshot snapshot;
    addBelow(root, {}, snapshot);
    return snapshot;
}

QByteArray DifferencesBetween(const TreeSnapshot& before, const TreeSnapshot& after) {
    QByteArray differences;
    for (auto entry = before.cbegin(); entry != before.cend(); ++entry) {
        const auto now = after.constFind(entry.key());
        if (now == after.cend()) {
            differences += "missing: " + entry.key() + '\n';
        } else if (!(*now == *entry)) {
            differences += "changed: " + entry.key() + '\n';
        }
    }
    for (auto entry = after.cbegin(); entry != after.cend(); ++entry) {
        if (!before.contains(entry.key())) {
            differences += "added: " + entry.key() + '\n';
        }
    }
    return differences;
}

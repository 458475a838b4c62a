#include "JournalTestEnvironment.h"

#include "core/FileNames.h"
#include "core/FsFolderWalk.h"
#include "testsupport/FileSystemFixtures.h"

#include <QFile>

#include <climits>
#include <cstdlib>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

JournalTestHome::JournalTestHome() {
    qputenv("XDG_STATE_HOME", root() + "/state");
    qputenv("XDG_DATA_HOME", root() + "/data");
}

JournalTestHome::~JournalTestHome() {
    RemoveTree(root()); // the trash may hold names that are not valid UTF-8, which QTemporaryDir cannot remove
}

QByteArray JournalTestHome::root() const {
    return QFile::encodeName(m_dir.path());
}

namespace {
const QByteArray& programPath() {
    static const QByteArray path = [] {
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
        return length > 0 ? QByteArray(buffer, length) : QByteArray();
    }();
    return path;
}
} // namespace

QString ThisTestProgram() {
    return QFile::decodeName(programPath());
}

QByteArray MountSecondFileSystem() {
    (void)programPath(); // read while /proc/self/exe still names it as this process sees it
    static QByteArray mountPoint;
    if (!mountPoint.isEmpty() || ::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return mountPoint;
    }
    char folder[] = "/tmp/varnoth-second-fs-XXXXXX";
    if (!::mkdtemp(folder)) {
        return {};
    }
    if (::mount("varnoth-test", folder, "tmpfs", 0, "size=256m,mode=0755") != 0) {
        ::rmdir(folder);
        return {};
    }
    mountPoint = folder;
    std::atexit([] {
        ::umount2(mountPoint.constData(), MNT_DETACH);
        ::rmdir(mountPoint.constData());
    });
    return mountPoint;
}

KeepResult KeepReplaced(RunJournal& journal, int step, const QByteArray& target, const QByteArray& incoming) {
    const Fs::Descriptor folder = Fs::OpenFolder(FolderOf(target));
    return journal.keepReplaced(step, {folder.get(), FileNameOf(target), target}, incoming);
}

RunHeader TestRunHeader(bool move) {
    RunHeader header;
    header.page = KeywordPage;
    header.move = move;
    header.policy = SameNamePolicy::Overwrite;
    header.listSize = 1;
    return header;
}

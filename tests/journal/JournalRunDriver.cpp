#include "JournalRunDriver.h"

#include "JournalTestEnvironment.h"

#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "core/FsFileCopy.h"
#include "testsupport/FileSystemFixtures.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArrayList kNames{"photo.jpg",    "report.doc", "a b.txt", "line\nbreak.txt",
                            "\xff\xfe.bin", "中文.txt",   "noext",   "%25 #x=y"};
const QByteArrayList kFolders{"d1", "d2", "new/deep", "d1/sub"};

QByteArray randomContent(QRandomGenerator& random) {
    QByteArray content(int(random.bounded(0, 3000)), Qt::Uninitialized);
    for (char& byte : content) {
        byte = char(random.bounded(256));
    }
    return content;
}

void makeFileWithTime(const QByteArray& path, QRandomGenerator& random) {
    MakeFile(path, randomContent(random));
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(1600000000 + random.bounded(100000000)), 123456789}};
    ::utimensat(AT_FDCWD, path.constData(), times, 0);
}

dev_t deviceOf(const QByteArray& path) {
    struct stat status {};
    ::stat(path.constData(), &status);
    return status.st_dev;
}

// Makes each missing level of folder and journals it, as the run's folder step does.
void makeFolders(RunJournal& journal, const QByteArray& folder) {
    const QByteArray parent = FolderOf(folder);
    struct stat status {};
    if (::stat(folder.constData(), &status) == 0) {
        return;
    }
    makeFolders(journal, parent);
    if (::mkdir(folder.constData(), 0755) == 0) {
        journal.folderMade(folder);
    }
}

QByteArray firstFreeName(const QByteArray& folder, const QByteArray& name) {
    QByteArray candidate = name;
    for (int n = 1; ::access(JoinPath(folder, candidate).constData(), F_OK) == 0; ++n) {
        candidate = StemOf(name) + '_' + QByteArray::number(n) + ExtensionOf(name);
    }
    return candidate;
}

struct Placement {
    RunJournal& journal;
    const std::function<void()>& checkpoint;

    void place(const QByteArray& source, const QByteArray& folder, int policy, Transfer transfer) {
        makeFolders(journal, folder);
        checkpoint();
        QByteArray target = JoinPath(folder, FileNameOf(source));
        const bool taken = ::access(target.constData(), F_OK) == 0;
        NameUse use = NameUse::Free;
        if (taken && policy == 0) {
            return; // skip
        }
        if (taken) {
            use = policy == 1 ? NameUse::Replace : NameUse::Number;
            target = use == NameUse::Number ? JoinPath(folder, firstFreeName(folder, FileNameOf(source))) : target;
        }
        const int step = journal.intent(transfer, use, source, target);
        checkpoint();
        if (use == NameUse::Replace && KeepReplaced(journal, step, target, source).error.failed()) {
            journal.failed(step);
            return;
        }
        checkpoint();
        const bool rename = transfer == Transfer::Move && deviceOf(source) == deviceOf(folder);
        const bool placed =
            rename
                ? (use == NameUse::Replace
                       ? ::rename(source.constData(), target.constData())
                       : ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE)) == 0
                : !Fs::CopyRegularFile(source, target,
                                       {.failIfExists = use != NameUse::Replace, .durable = transfer == Transfer::Move})
                       .failed();
        if (!placed) {
            journal.failed(step);
            return;
        }
        checkpoint();
        rename ? journal.renamed(step) : journal.done(step);
        if (transfer == Transfer::Move && !rename) {
            (void)journal.sync();
            checkpoint();
            ::unlink(source.constData());
        }
        checkpoint();
    }
};

} // namespace

QByteArrayList MakeDrivenTree(const DrivenTree& tree, quint32 seed) {
    for (const QByteArray& folder : {tree.sources, tree.output, tree.otherSources}) {
        if (!folder.isEmpty()) {
            (void)Fs::MakeFolders(folder);
        }
    }
    QRandomGenerator random(seed);
    QByteArrayList list;
    const auto fill = [&](const QByteArray& root, int folders) {
        for (int f = 0; f < folders; ++f) {
            const QByteArray folder = root + "/s" + QByteArray::number(f);
            MakeFolder(folder);
            for (const QByteArray& name : kNames) {
                if (random.bounded(3) != 0) {
                    makeFileWithTime(folder + '/' + name, random);
                    list.append(folder + '/' + name);
                }
            }
        }
    };
    fill(tree.sources, 3);
    if (!tree.otherSources.isEmpty()) {
        fill(tree.otherSources, 1);
    }
    MakeFolder(tree.output + "/d1");
    MakeFolder(tree.output + "/d2");
    for (const QByteArray& name : kNames) {
        if (random.bounded(2) == 0) {
            makeFileWithTime(tree.output + "/d" + QByteArray::number(1 + random.bounded(2)) + '/' + name, random);
        }
    }
    return list;
}

void DriveRun(RunJournal& journal, const DrivenTree& tree, const QByteArrayList& list, quint32 seed, bool move,
              const std::function<void()>& checkpoint) {
    QRandomGenerator random(seed ^ 0x9e3779b9u);
    Placement placement{journal, checkpoint};
    for (const QByteArray& source : list) {
        const int placements = 1 + int(random.bounded(3));
        for (int i = 0; i < placements; ++i) {
            const QByteArray folder = tree.output + '/' + kFolders[random.bounded(int(kFolders.size()))];
            const bool last = i == placements - 1;
            placement.place(source, folder, int(random.bounded(3)), move && last ? Transfer::Move : Transfer::Copy);
        }
    }
}

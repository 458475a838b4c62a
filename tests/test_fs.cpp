#include "core/FsAtomicFile.h"
#include "core/FsDescriptor.h"
#include "core/FsEntries.h"
#include "core/FsFolderWalk.h"
#include "core/FsTemporaryNames.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/FsErrorOutput.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowSortChild.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// The file-system module: what a name holds, the descriptor owner and the atomic replacement under a full disk.
class TestFs : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QByteArray at(const QByteArray& name) const { return QFile::encodeName(m_dir.path()) + '/' + name; }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        MakeFile(at("file"));
        MakeFolder(at("folder"));
        MakeLink("folder", at("toFolder"));
        MakeLink("file", at("toFile"));
        MakeLink("nowhere", at("dangling"));
        MakeLink("loop", at("loop"));
        MakeFifo(at("fifo"));
        MakeFolder(at("folder/inner"));
        MakeLink("../folder", at("folder/up"));
    }

    void whatANameHolds_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("reachesAnything");
        QTest::addColumn<bool>("reachesFolder");
        QTest::addColumn<bool>("reachesNonFolder");
        QTest::addColumn<bool>("takenByNonFolder");
        QTest::newRow("file") << QByteArray("file") << true << false << true << true;
        QTest::newRow("folder") << QByteArray("folder") << true << true << false << false;
        QTest::newRow("link to a folder") << QByteArray("toFolder") << true << true << false << false;
        QTest::newRow("link to a file") << QByteArray("toFile") << true << false << true << true;
        QTest::newRow("dangling link") << QByteArray("dangling") << false << false << false << true;
        QTest::newRow("link loop") << QByteArray("loop") << false << false << false << true;
        QTest::newRow("FIFO") << QByteArray("fifo") << true << false << true << true;
        QTest::newRow("nothing") << QByteArray("missing") << false << false << false << false;
        QTest::newRow("below a file") << QByteArray("file/x") << false << false << false << false;
    }
    void whatANameHolds() {
        QFETCH(QByteArray, name);
        QFETCH(bool, reachesAnything);
        QFETCH(bool, reachesFolder);
        QFETCH(bool, reachesNonFolder);
        QFETCH(bool, takenByNonFolder);
        QCOMPARE(Fs::ReachesAnything(at(name)), reachesAnything);
        QCOMPARE(Fs::ReachesFolder(at(name)), reachesFolder);
        QCOMPARE(Fs::ReachesNonFolder(at(name)), reachesNonFolder);
        QCOMPARE(Fs::NameTakenByNonFolder(at(name)), takenByNonFolder);
        const Fs::Descriptor root = Fs::OpenFolder(QFile::encodeName(m_dir.path()));
        QCOMPARE(Fs::NameTakenByNonFolder(root.get(), name), takenByNonFolder);
    }

    // The walk below a root reaches real folders only: a link at any level ends it, so a folder swapped for a link
    // never leads outside the root.
    void aWalkBelowARootNeverFollowsALink_data() {
        QTest::addColumn<QByteArray>("relative");
        QTest::addColumn<int>("error"); // 0: opened, and it is the folder "folder/inner"
        QTest::newRow("real folders") << QByteArray("folder/inner") << 0;
        QTest::newRow("doubled slashes, dots, a trailing slash") << QByteArray("./folder//./inner/") << 0;
        QTest::newRow("a link as the last level") << QByteArray("toFolder") << ENOTDIR;
        QTest::newRow("a link on the way") << QByteArray("folder/up/inner") << ENOTDIR;
        QTest::newRow("a file on the way") << QByteArray("file/inner") << ENOTDIR;
        QTest::newRow("dot dot") << QByteArray("folder/../folder/inner") << EINVAL;
        QTest::newRow("missing") << QByteArray("folder/none") << ENOENT;
    }
    void aWalkBelowARootNeverFollowsALink() {
        QFETCH(QByteArray, relative);
        QFETCH(int, error);
        const Fs::Descriptor root = Fs::OpenFolder(QFile::encodeName(m_dir.path()));
        QVERIFY(root.isOpen());
        errno = 0;
        const Fs::Descriptor folder = Fs::OpenFolderBeneath(root.get(), relative);
        // Kernels differ in what O_NOFOLLOW|O_DIRECTORY says of a link: ELOOP, or ENOTDIR since it is no folder.
        QCOMPARE(errno == ENOTDIR && error == ELOOP ? ELOOP : errno, error);
        QCOMPARE(folder.isOpen(), error == 0);
        struct stat walked {
        }, named{};
        if (error == 0) {
            QCOMPARE(::fstat(folder.get(), &walked), 0);
            QCOMPARE(::stat(at("folder/inner").constData(), &named), 0);
            QCOMPARE(walked.st_ino, named.st_ino);
        }
    }

    // Making a folder reports each level it made, or the errno of the level it could not make. Below a root, a level
    // that is a link ends the making as it ends a walk, and nothing is made where the link leads; by path, the path
    // is followed as the user named it.
    void makingFoldersSaysWhatItMadeOrWhy_data() {
        QTest::addColumn<bool>("beneathRoot");
        QTest::addColumn<QByteArray>("relative");
        QTest::addColumn<QByteArrayList>("made");
        QTest::addColumn<int>("error");
        QTest::newRow("beneath: all levels")
            << true << QByteArray("new//a/b/") << QByteArrayList{"new", "new//a", "new//a/b"} << 0;
        QTest::newRow("beneath: the missing levels")
            << true << QByteArray("folder/inner/x") << QByteArrayList{"folder/inner/x"} << 0;
        QTest::newRow("beneath: there already") << true << QByteArray("folder/inner") << QByteArrayList{} << 0;
        QTest::newRow("beneath: a link on the way") << true << QByteArray("toFolder/x") << QByteArrayList{} << ELOOP;
        QTest::newRow("beneath: a file on the way") << true << QByteArray("file/x") << QByteArrayList{} << ENOTDIR;
        QTest::newRow("beneath: a file at the name") << true << QByteArray("file") << QByteArrayList{} << ENOTDIR;
        QTest::newRow("by path: all levels") << false << QByteArray("new/a") << QByteArrayList{"new", "new/a"} << 0;
        QTest::newRow("by path: through a link")
            << false << QByteArray("toFolder/x") << QByteArrayList{"toFolder/x"} << 0;
        QTest::newRow("by path: a file on the way") << false << QByteArray("file/x") << QByteArrayList{} << ENOTDIR;
        QTest::newRow("by path: a file at the name") << false << QByteArray("file") << QByteArrayList{} << ENOTDIR;
    }
    void makingFoldersSaysWhatItMadeOrWhy() {
        QFETCH(bool, beneathRoot);
        QFETCH(QByteArray, relative);
        QFETCH(QByteArrayList, made);
        QFETCH(int, error);
        QTemporaryDir dir;
        const QByteArray base = QFile::encodeName(dir.path()) + '/';
        MakeFolder(base + "folder");
        MakeFolder(base + "folder/inner");
        MakeLink("folder", base + "toFolder");
        MakeFile(base + "file");
        QByteArrayList told;
        int failure = 0;
        if (beneathRoot) {
            const Fs::Descriptor root = Fs::OpenFolder(base);
            const Fs::Descriptor folder = Fs::MakeFolderBeneath(
                root.get(), relative, [&](QByteArrayView level) { told.append(level.toByteArray()); });
            failure = folder.isOpen() ? 0 : errno;
        } else {
            const Fs::Error made = Fs::MakeFolders(
                base + relative, [&](const QByteArray& level) { told.append(level.sliced(base.size())); });
            QCOMPARE(made.operation, made.failed() ? Fs::Operation::MakeFolder : Fs::Operation::None);
            failure = made.code;
        }
        QCOMPARE(failure == ENOTDIR && error == ELOOP ? ELOOP : failure, error);
        QCOMPARE(told, made);
        QCOMPARE(Fs::ReachesFolder(base + relative), error == 0);
        QCOMPARE(EntriesOf(dir.filePath(u"folder"_s)),
                 beneathRoot || relative != "toFolder/x" ? QStringList{u"inner"_s} : (QStringList{u"inner"_s, u"x"_s}));
    }

    void aDescriptorIsClosedExactlyOnce() {
        int number = -1;
        {
            Fs::Descriptor first = Fs::Open(at("file"), O_RDONLY);
            QVERIFY(first.isOpen());
            number = first.get();
            Fs::Descriptor second = std::move(first);
            QVERIFY(!first.isOpen());
            QCOMPARE(::fcntl(number, F_GETFD), FD_CLOEXEC);
            second = Fs::Descriptor();
            QCOMPARE(::fcntl(number, F_GETFD), -1); // the assignment closed it
            QCOMPARE(second.close().code, EBADF);   // nothing left to close
        }
        QCOMPARE(::fcntl(number, F_GETFD), -1);
    }

    // A replacement that hits the file-size limit part-way, as a full disk would stop it.
    void aReplacementThatRunsOutOfSpaceChangesNothing_data() {
        QTest::addColumn<bool>("replacing");
        QTest::newRow("new file") << false;
        QTest::newRow("replaced file") << true;
    }
    void aReplacementThatRunsOutOfSpaceChangesNothing() {
        QFETCH(bool, replacing);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"list.lst"_s);
        if (replacing) {
            WriteTestFile(path, "old");
        }
        const Fs::Error error = [&] {
            const FileSizeLimit limit(4096);
            return Fs::ReplaceFileContent(QFile::encodeName(path), QByteArray(8192, 'x'));
        }();

        QCOMPARE(error, (Fs::Error{Fs::Operation::WriteTemporary, EFBIG}));
        QCOMPARE(EntriesOf(folder.path()), replacing ? QStringList{u"list.lst"_s} : QStringList());
        QCOMPARE(ReadTestFile(path), replacing ? QByteArray("old") : QByteArray());
    }

    // A name that is a symbolic link is written through by opening it as given: the link stays a link, the file it
    // leads to is written in place, and the kernel decides whether the link may be followed at all. In a sticky
    // folder that everyone may write (/tmp), another user's link is not followed by root (fs.protected_symlinks).
    void aLinkIsWrittenThroughAsGiven_data() {
        QTest::addColumn<bool>("othersLinkInSharedFolder");
        QTest::newRow("a link of one's own") << false;
        QTest::newRow("another user's link in a shared sticky folder") << true;
    }
    void aLinkIsWrittenThroughAsGiven() {
        QFETCH(bool, othersLinkInSharedFolder);
        QTemporaryDir folder;
        const QByteArray base = QFile::encodeName(folder.path());
        MakeFile(base + "/target", "old");
        MakeFolder(base + "/shared");
        MakeLink(base + "/target", base + "/shared/file.lst");
        if (othersLinkInSharedFolder) {
            const std::optional<UnprivilegedUser> user = FindUnprivilegedUser();
            if (!RunningAsRoot() || !user) {
                QSKIP("needs root and a user nobody to plant another user's link");
            }
            if (ReadTestFile(u"/proc/sys/fs/protected_symlinks"_s).trimmed() != "1") {
                QSKIP("fs.protected_symlinks is off here: the kernel itself would follow the link");
            }
            SetMode(base + "/shared", 01777);
            QVERIFY(::lchown(base + "/shared/file.lst", user->uid, user->gid) == 0);
        }
        struct stat before {};
        QVERIFY(::stat(base + "/target", &before) == 0);

        const Fs::Error error = Fs::ReplaceFileContent(base + "/shared/file.lst", "new");

        QCOMPARE(error, (othersLinkInSharedFolder ? Fs::Error{Fs::Operation::CheckTarget, EACCES} : Fs::Error()));
        QCOMPARE(ReadTestFile(folder.filePath(u"target"_s)), QByteArray(othersLinkInSharedFolder ? "old" : "new"));
        struct stat link {};
        struct stat after {};
        QVERIFY(::lstat(base + "/shared/file.lst", &link) == 0 && S_ISLNK(link.st_mode));
        QVERIFY(::stat(base + "/target", &after) == 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(EntriesOf(folder.filePath(u"shared"_s)), QStringList{u"file.lst"_s});
    }

    // Only names of exactly our own shape count as our temporary files, so that no user file is ever taken for one.
    void temporaryNames_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("owner"); // 0: not one of ours
        QTest::newRow("ours") << Fs::TemporaryName(4321, 7) << 4321;
        QTest::newRow("largest pid") << QByteArray(".varnoth-2147483647-0.part") << 2147483647;
        QTest::newRow("pid past the range") << QByteArray(".varnoth-2147483648-0.part") << 0;
        QTest::newRow("pid zero") << QByteArray(".varnoth-0-1.part") << 0;
        QTest::newRow("leading zero") << QByteArray(".varnoth-012-1.part") << 0;
        QTest::newRow("no counter") << QByteArray(".varnoth-12-.part") << 0;
        QTest::newRow("sign") << QByteArray(".varnoth-+12-1.part") << 0;
        QTest::newRow("other suffix") << QByteArray(".varnoth-12-1.part2") << 0;
        QTest::newRow("visible") << QByteArray("varnoth-12-1.part") << 0;
        QTest::newRow("user file") << QByteArray(".varnoth-notes.part") << 0;
    }
    void temporaryNames() {
        QFETCH(QByteArray, name);
        QFETCH(int, owner);
        const std::optional<pid_t> found = Fs::TemporaryNameOwner(name);
        QCOMPARE(found.value_or(0), pid_t(owner));
        QCOMPARE(Fs::IsTemporaryName(name), owner != 0);
    }
};

QTEST_GUILESS_MAIN(TestFs)
#include "test_fs.moc"

#include "core/FsFileCopy.h"
#include "engine/Interruption.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/FsErrorOutput.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TmpfsMount.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using Fs::Operation;
Q_DECLARE_METATYPE(Fs::Error)

namespace {
// Lets a copy write only so many bytes, as a full disk would.
struct DiskFullAfter : Fs::CopyHooks {
    explicit DiskFullAfter(qint64 bytes) : limit(bytes) {}
    qint64 writeLimit() const override { return limit; }
    qint64 limit;
};

// Holds a copy after its first chunk: tells the test through a pipe, then waits (at most 10 s) for a signal.
struct HoldAfterFirstChunk : Fs::CopyHooks {
    explicit HoldAfterFirstChunk(int pipe) : ready(pipe) {}
    void chunkCopied(qint64) const override {
        if (::write(ready, "x", 1) != 1) {
            ::_exit(3);
        }
        for (int i = 0; i < 1000 && !InterruptionRequested(); ++i) {
            ::usleep(10000);
        }
    }
    int ready;
};

QByteArray bigContent() {
    QByteArray content;
    for (int i = 0; i < 300000; ++i) {
        content += QByteArray::number(i) + '\n';
    }
    return content; // about 2 MB, more than one copy chunk
}
} // namespace

// The copy primitive: what it copies, and that it never damages what is already there.
class TestFileCopy : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QByteArray bytes(const QString& name) const { return QFile::encodeName(path(name)); }

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void cleanup() {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void copiesContentPermissionsAndTimes() {
        const QByteArray content = bigContent();
        const QByteArray source = WriteTestFile(path(u"src/a.txt"_s), content);
        QVERIFY(::chmod(source.constData(), 07640) == 0); // setuid, setgid and sticky are not copied
        const struct timespec times[2] = {{1000000000, 0}, {1234567890, 500}};
        QVERIFY(::utimensat(AT_FDCWD, source.constData(), times, 0) == 0);
        QDir().mkpath(path(u"out"_s));

        QCOMPARE(Fs::CopyRegularFile(source, bytes(u"out/a.txt"_s), {}), Fs::Error());

        QCOMPARE(ReadTestFile(path(u"out/a.txt"_s)), content);
        struct stat copy {};
        QVERIFY(::stat(bytes(u"out/a.txt"_s).constData(), &copy) == 0);
        QCOMPARE(copy.st_mode & 07777, mode_t(0640));
        QCOMPARE(qint64(copy.st_mtim.tv_sec), qint64(1234567890));
        QCOMPARE(EntriesOf(path(u"out"_s)), QStringList{u"a.txt"_s}); // no temporary file left behind
        QCOMPARE(ReadTestFile(path(u"src/a.txt"_s)), content);
    }

    void emptyFileAndLinkedSource() {
        const QByteArray empty = WriteTestFile(path(u"empty"_s), QByteArray());
        QCOMPARE(Fs::CopyRegularFile(empty, bytes(u"empty-copy"_s), {}), Fs::Error());
        QCOMPARE(QFileInfo(path(u"empty-copy"_s)).size(), 0);

        WriteTestFile(path(u"real"_s), "linked content");
        QVERIFY(::symlink("real", bytes(u"link"_s).constData()) == 0);
        QCOMPARE(Fs::CopyRegularFile(bytes(u"link"_s), bytes(u"link-copy"_s), {}), Fs::Error());
        QVERIFY(!QFileInfo(path(u"link-copy"_s)).isSymLink());
        QCOMPARE(ReadTestFile(path(u"link-copy"_s)), QByteArray("linked content"));
    }

    void failIfExistsKeepsTheExistingFile() {
        const QByteArray source = WriteTestFile(path(u"a"_s), "new");
        WriteTestFile(path(u"b"_s), "old");
        QCOMPARE(Fs::CopyRegularFile(source, bytes(u"b"_s), {.failIfExists = true}),
                 (Fs::Error{Operation::CheckTarget, EEXIST}));
        QCOMPARE(ReadTestFile(path(u"b"_s)), QByteArray("old"));
        QCOMPARE(Fs::CopyRegularFile(source, bytes(u"b"_s), {.failIfExists = false}), Fs::Error());
        QCOMPARE(ReadTestFile(path(u"b"_s)), QByteArray("new"));
        QCOMPARE(EntriesOf(m_dir.path()), (QStringList{u"a"_s, u"b"_s}));
    }

    void neverCopiesAFileOntoItself_data() {
        QTest::addColumn<QString>("targetName");
        QTest::addColumn<bool>("failIfExists");
        QTest::newRow("same path") << u"d/a"_s << false;
        QTest::newRow("other spelling") << u"d/./a"_s << false;
        QTest::newRow("doubled separator") << u"d//a"_s << false;
        QTest::newRow("hard link") << u"d/hard"_s << false;
        QTest::newRow("hard link, fail if exists") << u"d/hard"_s << true;
    }
    void neverCopiesAFileOntoItself() {
        QFETCH(QString, targetName);
        QFETCH(bool, failIfExists);
        const QByteArray source = WriteTestFile(path(u"d/a"_s), "only copy");
        QVERIFY(::link(source.constData(), bytes(u"d/hard"_s).constData()) == 0);
        QCOMPARE(Fs::CopyRegularFile(source, bytes(targetName), {.failIfExists = failIfExists}),
                 (Fs::Error{Operation::CheckTarget, EINVAL}));
        QCOMPARE(ReadTestFile(path(u"d/a"_s)), QByteArray("only copy"));
        QCOMPARE(EntriesOf(path(u"d"_s)), (QStringList{u"a"_s, u"hard"_s}));
    }

    void writeProtectedTargetIsNotReplaced() {
        // Also when running as root, who could write the file anyway.
        const QByteArray source = WriteTestFile(path(u"a"_s), "new");
        const QByteArray target = WriteTestFile(path(u"protected"_s), "old");
        QVERIFY(::chmod(target.constData(), 0444) == 0);
        QCOMPARE(Fs::CopyRegularFile(source, target, {}), (Fs::Error{Operation::CheckTarget, EACCES}));
        QCOMPARE(ReadTestFile(path(u"protected"_s)), QByteArray("old"));
    }

    void sourcesThatCannotBeCopied_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Fs::Error>("error");
        QTest::newRow("missing") << u"missing"_s << Fs::Error{Operation::OpenSource, ENOENT};
        QTest::newRow("folder") << u"folder"_s << Fs::Error{Operation::CheckSource, EISDIR};
        QTest::newRow("FIFO") << u"fifo"_s << Fs::Error{Operation::CheckSource, EINVAL};
    }
    void sourcesThatCannotBeCopied() {
        QFETCH(QString, kind);
        QFETCH(Fs::Error, error);
        QDir().mkpath(path(u"folder"_s));
        QVERIFY(::mkfifo(bytes(u"fifo"_s).constData(), 0600) == 0);
        // A FIFO without a writer must be refused at once, not waited on.
        QCOMPARE(Fs::CopyRegularFile(bytes(kind), bytes(u"out"_s), {}), error);
        QVERIFY(!QFileInfo::exists(path(u"out"_s)));
    }

    void targetsThatCannotBeWritten() {
        const QByteArray source = WriteTestFile(path(u"a"_s), "x");
        QCOMPARE(Fs::CopyRegularFile(source, bytes(u"no/such/folder/a"_s), {}),
                 (Fs::Error{Operation::CreateTemporary, ENOENT}));
        QDir().mkpath(path(u"taken/a"_s));
        QCOMPARE(Fs::CopyRegularFile(source, bytes(u"taken/a"_s), {}), (Fs::Error{Operation::CheckTarget, EISDIR}));
        QCOMPARE(Fs::CopyRegularFile(source, bytes(u"taken/a"_s), {.failIfExists = true}),
                 (Fs::Error{Operation::CheckTarget, EISDIR}));
        QVERIFY(QFileInfo(path(u"taken/a"_s)).isDir());
        QCOMPARE(EntriesOf(path(u"taken"_s)), QStringList{u"a"_s});
    }

    void aCopyThatRunsOutOfSpaceLeavesNoTrace_data() {
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<qint64>("limit");
        QTest::newRow("new target, part-way") << false << qint64(1500000);
        QTest::newRow("overwrite, part-way") << true << qint64(1500000);
        QTest::newRow("overwrite, at once") << true << qint64(0);
    }
    void aCopyThatRunsOutOfSpaceLeavesNoTrace() {
        QFETCH(bool, targetExists);
        QFETCH(qint64, limit);
        const QByteArray source = WriteTestFile(path(u"src/big"_s), bigContent());
        QDir().mkpath(path(u"out"_s));
        if (targetExists) {
            WriteTestFile(path(u"out/big"_s), "the old file");
        }
        const DiskFullAfter diskFull(limit);
        QCOMPARE(Fs::CopyRegularFile(source, bytes(u"out/big"_s), {.hooks = &diskFull}),
                 (Fs::Error{Operation::WriteTemporary, ENOSPC}));
        if (targetExists) {
            QCOMPARE(ReadTestFile(path(u"out/big"_s)), QByteArray("the old file"));
            QCOMPARE(EntriesOf(path(u"out"_s)), QStringList{u"big"_s});
        } else {
            QCOMPARE(EntriesOf(path(u"out"_s)), QStringList());
        }
        QCOMPARE(ReadTestFile(path(u"src/big"_s)), bigContent());
    }

    void aLimitAtTheExactSizeIsNoFailure() {
        const QByteArray source = WriteTestFile(path(u"a"_s), "12345");
        const DiskFullAfter exact(5);
        QCOMPARE(Fs::CopyRegularFile(source, bytes(u"b"_s), {.hooks = &exact}), Fs::Error());
        QCOMPARE(ReadTestFile(path(u"b"_s)), QByteArray("12345"));
    }

    // The kernel's own file-size limit, not the seam: its refusal must not reach a file that fits exactly.
    void theKernelFileSizeLimit_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("error");
        QTest::newRow("below the limit") << qint64(4095) << 0;
        QTest::newRow("exactly the limit") << qint64(4096) << 0;
        QTest::newRow("one byte over") << qint64(4097) << EFBIG;
    }
    void theKernelFileSizeLimit() {
        QFETCH(qint64, size);
        QFETCH(int, error);
        const QByteArray content = bigContent().left(size);
        const QByteArray source = WriteTestFile(path(u"src/a"_s), content);
        QDir().mkpath(path(u"out"_s));

        const Fs::Error result = [&] {
            const FileSizeLimit limit(4096);
            return Fs::CopyRegularFile(source, bytes(u"out/a"_s), {});
        }();

        QCOMPARE(result, (Fs::Error{error == 0 ? Operation::None : Operation::WriteTemporary, error}));
        QCOMPARE(EntriesOf(path(u"out"_s)), error == 0 ? QStringList{u"a"_s} : QStringList());
        if (error == 0) {
            QCOMPARE(ReadTestFile(path(u"out/a"_s)), content);
        }
    }

    // A disk image of 1 GiB holding 4 KiB of data takes about 4 KiB after the copy, not 1 GiB.
    void aSparseFileStaysSparse() {
        constexpr off_t kSize = off_t(1) << 30;
        const QByteArray data(4096, 'd');
        const QByteArray source = bytes(u"disk.img"_s);
        const int fd = ::open(source.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QVERIFY(::pwrite(fd, data.constData(), size_t(data.size()), kSize / 2) == data.size());
        QVERIFY(::ftruncate(fd, kSize) == 0 && ::close(fd) == 0);
        struct stat original {};
        QVERIFY(::stat(source.constData(), &original) == 0);
        if (original.st_blocks * 512 > 1 << 20) {
            QSKIP("the temporary folder's file system keeps no holes");
        }

        QCOMPARE(Fs::CopyRegularFile(source, bytes(u"copy.img"_s), {}), Fs::Error());

        struct stat copy {};
        QVERIFY(::stat(bytes(u"copy.img"_s).constData(), &copy) == 0);
        QCOMPARE(copy.st_size, kSize);
        QVERIFY2(copy.st_blocks * 512 <= 64 * 1024, qPrintable(QString::number(copy.st_blocks * 512)));
        QFile file(path(u"copy.img"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(4096), QByteArray(4096, '\0'));
        QVERIFY(file.seek(kSize / 2));
        QCOMPARE(file.read(8192), data + QByteArray(4096, '\0'));
    }

    // A termination signal interrupts a copy between two chunks; a kill ends the process at once. Either way, no
    // temporary file stays behind in the destination folder and the source is untouched.
    void aCopyEndedBySignalLeavesNothing_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("onTmpfs");
        QTest::newRow("SIGTERM") << SIGTERM << false;
        QTest::newRow("SIGKILL") << SIGKILL << false;
        QTest::newRow("SIGKILL, destination on tmpfs") << SIGKILL << true;
    }
    void aCopyEndedBySignalLeavesNothing() {
        QFETCH(int, signal);
        QFETCH(bool, onTmpfs);
        const QByteArray source = WriteTestFile(path(u"src/big"_s), bigContent());
        QDir().mkpath(path(u"out"_s));
        std::optional<TmpfsMount> tmpfs;
        if (onTmpfs) {
            tmpfs.emplace(bytes(u"out"_s), qint64(16) << 20);
            if (!tmpfs->mounted()) {
                QSKIP(qPrintable(tmpfs->reason()));
            }
        }
        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            struct sigaction action {};
            action.sa_handler = [](int) { RequestInterruption(); };
            ::sigaction(SIGTERM, &action, nullptr);
            const HoldAfterFirstChunk hold(ready[1]);
            const Fs::Error error = Fs::CopyRegularFile(source, bytes(u"out/big"_s), {.hooks = &hold});
            ::_exit(error == Fs::Error{Fs::Operation::WriteTemporary, ECANCELED} ? 0 : 1);
        }
        ::close(ready[1]);
        char byte = 0;
        const bool held = ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
        ::kill(child, signal);
        int status = 0;
        QVERIFY(::waitpid(child, &status, 0) == child);
        QVERIFY(held);
        if (signal == SIGTERM) {
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        QCOMPARE(EntriesOf(path(u"out"_s)), QStringList());
        QCOMPARE(ReadTestFile(path(u"src/big"_s)), bigContent());
    }
};

QTEST_GUILESS_MAIN(TestFileCopy)
#include "test_file_copy.moc"

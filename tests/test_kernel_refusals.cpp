#include "core/CriterionPage.h"
#include "testsupport/Controls.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/LabelledContent.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TmpfsMount.h"
#include "testsupport/WindowSortChild.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The file-size limit of the child: 64 KiB, less than one copy chunk.
constexpr qint64 kLimit = 65536;

// Something the test does to the sorted tree (its root is given) while the child waits.
using Interference = std::function<void(const QString& work)>;

Interference changeMode(const QString& relative, mode_t mode) {
    return [=](const QString& work) { SetMode(QFile::encodeName(work + u'/' + relative), mode); };
}

Interference removeFile(const QString& relative) {
    return [=](const QString& work) { QVERIFY(QFile::remove(work + u'/' + relative)); };
}

// True when every folder from the root down to path lets other users pass.
bool reachableByOthers(const QString& path) {
    for (QString folder = QDir(path).absolutePath();; folder = QFileInfo(folder).path()) {
        struct stat status {};
        if (::stat(QFile::encodeName(folder).constData(), &status) != 0 || (status.st_mode & S_IXOTH) == 0) {
            return false;
        }
        if (folder == u"/"_s) {
            return true;
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(Interference)

// Sorts through the real main window in a child process where the kernel itself refuses: writes over a file-size
// limit, files and folders that lose their permissions part-way through the run, and sources deleted before it.
// Whatever is refused, no source is lost, no destination holds a partial or damaged file, no temporary file stays
// behind, and the completion box counts the failures.
class TestKernelRefusals : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    // Set when the tests run as root and can run the child as a user whom permission bits stop.
    std::optional<UnprivilegedUser> m_user;

    QString work() const { return m_dir->filePath(u"work"_s); }
    QString at(const QString& relative) const { return work() + u'/' + relative; }
    void writeLabelled(const QString& relative, const QByteArray& label, qint64 size) const {
        WriteTestFile(at(relative), LabelledContent(label, size));
    }
    QStringList keywordSortOptions(const QString& mode, const QString& policy) const {
        return {u"--page"_s,   QString::number(KeywordPage),
                u"--text"_s,   Control::EdtKeys + u"=数据"_s,
                u"--out"_s,    at(u"out"_s),
                u"--mode"_s,   mode,
                u"--policy"_s, policy};
    }

    // Makes the whole temporary tree the user's, so that the child reaches it as the test itself does.
    void handOverTo(const UnprivilegedUser& user) const {
        SetMode(QFile::encodeName(m_dir->path()), 0755);
        QDirIterator it(m_dir->path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            if (::lchown(QFile::encodeName(it.next()).constData(), user.uid, user.gid) != 0) {
                qFatal("cannot hand the test tree over");
            }
        }
    }

    // Gives back what an interference took away, so that the tree can be listed and removed.
    void restoreAccess() const {
        for (const char16_t* folder : {u"src", u"src/inner", u"out", u"out/数据"}) {
            ::chmod(QFile::encodeName(at(QString::fromUtf16(folder))).constData(), 0755);
        }
        for (const char16_t* file : {u"src/数据-1.bin", u"src/inner/数据-2.bin", u"src/数据-3.bin"}) {
            ::chmod(QFile::encodeName(at(QString::fromUtf16(file))).constData(), 0644);
        }
    }

private slots:
    void initTestCase() {
        if (RunningAsRoot() && reachableByOthers(QDir::tempPath())) {
            m_user = FindUnprivilegedUser();
        }
    }
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() {
        restoreAccess();
        m_dir.reset();
    }

    void fileSizeLimit_data() {
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("policy");
        QTest::addColumn<QStringList>("existing"); // files in out/数据/ before the run, each holding old:500
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("message");

        const QStringList allSources = {u"src/"_s, u"src/数据-exact.bin exact:65536"_s,
                                        u"src/数据-huge.bin huge:3145728"_s, u"src/数据-over.bin over:65537"_s,
                                        u"src/数据-small.bin small:1000"_s};
        const QStringList refusedSources = {u"src/"_s, u"src/数据-huge.bin huge:3145728"_s,
                                            u"src/数据-over.bin over:65537"_s};
        const QStringList copiesWithinLimit = {u"out/"_s, u"out/数据/"_s, u"out/数据/数据-exact.bin exact:65536"_s,
                                               u"out/数据/数据-small.bin small:1000"_s};
        const QStringList everyName = {u"数据-exact.bin"_s, u"数据-huge.bin"_s, u"数据-over.bin"_s,
                                       u"数据-small.bin"_s};
        const QStringList replacedWithinLimit = {u"out/"_s,
                                                 u"out/数据/"_s,
                                                 u"out/数据/数据-exact.bin exact:65536"_s,
                                                 u"out/数据/数据-huge.bin old:500"_s,
                                                 u"out/数据/数据-over.bin old:500"_s,
                                                 u"out/数据/数据-small.bin small:1000"_s};
        const QString twoFailed =
            u"分拣工作完成！\n有 2 个文件复制或删除失败。\n失败 2 个，已分拣 2 个，因同名未处理 0 个，内容相同 0 个，已过滤 0 个，不符合条件 0 个。"_s;

        QTest::newRow("copy: files over the limit are refused, the others copied whole")
            << kLimit << u"copy"_s << Control::RbSkip << QStringList() << copiesWithinLimit + allSources << twoFailed;
        QTest::newRow("move: only a source with a complete copy is deleted")
            << kLimit << u"move"_s << Control::RbSkip << QStringList() << copiesWithinLimit + refusedSources
            << twoFailed;
        QTest::newRow("overwrite: a destination that cannot be replaced keeps its old content")
            << kLimit << u"copy"_s << Control::RbOverwrite << everyName << replacedWithinLimit + allSources
            << twoFailed;
        QTest::newRow("overwrite in move mode: the refused sources stay")
            << kLimit << u"move"_s << Control::RbOverwrite << everyName << replacedWithinLimit + refusedSources
            << twoFailed;
        QTest::newRow("auto-number: a refused copy leaves no numbered file")
            << kLimit << u"move"_s << Control::RbRename << QStringList{u"数据-over.bin"_s, u"数据-small.bin"_s}
            << QStringList{u"out/"_s,
                           u"out/数据/"_s,
                           u"out/数据/数据-exact.bin exact:65536"_s,
                           u"out/数据/数据-over.bin old:500"_s,
                           u"out/数据/数据-small.bin old:500"_s,
                           u"out/数据/数据-small_1.bin small:1000"_s} +
                   refusedSources
            << twoFailed;
        QTest::newRow("a limit of zero: nothing is written and nothing moves")
            << qint64(0) << u"move"_s << Control::RbSkip << QStringList()
            << QStringList{u"out/"_s, u"out/数据/"_s} + allSources
            << u"分拣工作完成！\n有 4 个文件复制或删除失败。\n失败 4 个，已分拣 0 个，因同名未处理 0 个，内容相同 0 个，已过滤 0 个，不符合条件 0 个。"_s;
    }
    void fileSizeLimit() {
        QFETCH(qint64, limit);
        QFETCH(QString, mode);
        QFETCH(QString, policy);
        QFETCH(QStringList, existing);
        QFETCH(QStringList, tree);
        QFETCH(QString, message);
        // A move within one file system is a rename, which writes no data: the moves go to another file system.
        std::optional<TmpfsMount> otherDisk;
        if (mode == u"move"_s) {
            QDir().mkpath(at(u"out"_s));
            otherDisk.emplace(QFile::encodeName(at(u"out"_s)), qint64(64) << 20);
            if (!otherDisk->mounted()) {
                QSKIP(qPrintable(otherDisk->reason()));
            }
        }
        // In list order: over the limit, within it, far over it (more than one copy chunk), exactly at it.
        writeLabelled(u"src/数据-over.bin"_s, "over", kLimit + 1);
        writeLabelled(u"src/数据-small.bin"_s, "small", 1000);
        writeLabelled(u"src/数据-huge.bin"_s, "huge", 3 * 1024 * 1024);
        writeLabelled(u"src/数据-exact.bin"_s, "exact", kLimit);
        for (const QString& name : existing) {
            writeLabelled(u"out/数据/"_s + name, "old", 500);
        }

        WindowSortChild child(QStringLiteral(WINDOW_SORT_HELPER), m_dir->filePath(u"private"_s));
        QVERIFY2(
            child.run(keywordSortOptions(mode, policy) + QStringList{u"--file-size-limit"_s, QString::number(limit)},
                      {at(u"src/数据-over.bin"_s), at(u"src/数据-small.bin"_s), at(u"src/数据-huge.bin"_s),
                       at(u"src/数据-exact.bin"_s)}),
            qPrintable(child.error));

        tree.sort();
        // Replaced files are kept in the other disk's trash (the journal's tests look at it).
        QStringList outsideTrash = TreeWithContents(work());
        outsideTrash.removeIf([](const QString& entry) { return entry.startsWith(u"out/.Trash-"_s); });
        QCOMPARE(outsideTrash, tree);
        QCOMPARE(child.messages, QStringList{message});
        QVERIFY(child.questions.isEmpty());
    }

    void revokedAccess_data() {
        QTest::addColumn<bool>("needsPermissions");
        QTest::addColumn<Interference>("atListing");
        QTest::addColumn<Interference>("atQuestion");
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("message");

        const QString oneFailed =
            u"分拣工作完成！\n有 1 个文件复制或删除失败。\n失败 1 个，已分拣 2 个，因同名未处理 0 个，内容相同 0 个，已过滤 0 个，不符合条件 0 个。"_s;
        const QString noneFailed =
            u"分拣工作完成！\n失败 0 个，已分拣 3 个，因同名未处理 0 个，内容相同 0 个，已过滤 0 个，不符合条件 0 个。"_s;
        const QStringList allMoved = {u"out/"_s,
                                      u"out/数据/"_s,
                                      u"out/数据/数据-1.bin one:100"_s,
                                      u"out/数据/数据-2.bin two:100"_s,
                                      u"out/数据/数据-3.bin three:100"_s,
                                      u"src/"_s,
                                      u"src/inner/"_s};
        const QStringList secondStays = {
            u"out/"_s, u"out/数据/"_s,  u"out/数据/数据-1.bin one:100"_s, u"out/数据/数据-3.bin three:100"_s,
            u"src/"_s, u"src/inner/"_s, u"src/inner/数据-2.bin two:100"_s};
        const QStringList firstNotReplaced = {u"out/"_s,
                                              u"out/数据/"_s,
                                              u"out/数据/数据-1.bin old:100"_s,
                                              u"out/数据/数据-2.bin two:100"_s,
                                              u"out/数据/数据-3.bin three:100"_s,
                                              u"src/"_s,
                                              u"src/inner/"_s};

        QTest::newRow("a listed file loses read permission")
            << true << Interference() << changeMode(u"src/inner/数据-2.bin"_s, 0200) << secondStays << oneFailed;
        QTest::newRow("a source folder loses read permission: its files still open by name")
            << true << Interference() << changeMode(u"src/inner"_s, 0333) << allMoved << noneFailed;
        QTest::newRow("a source folder loses all access")
            << true << Interference() << changeMode(u"src/inner"_s, 0) << secondStays << oneFailed;
        QTest::newRow("a source folder loses write permission: copy made, source kept")
            << true << Interference() << changeMode(u"src/inner"_s, 0555)
            << allMoved + QStringList{u"src/inner/数据-2.bin two:100"_s} << oneFailed;
        QTest::newRow("the questioned file loses read permission before the answer")
            << true << Interference() << changeMode(u"src/数据-1.bin"_s, 0200)
            << firstNotReplaced + QStringList{u"src/数据-1.bin one:100"_s} << oneFailed;
        QTest::newRow("the destination folder loses read permission: names inside still reachable")
            << true << Interference() << changeMode(u"out/数据"_s, 0333) << allMoved << noneFailed;
        QTest::newRow("the destination folder loses write permission")
            << true << Interference() << changeMode(u"out/数据"_s, 0555)
            << QStringList{u"out/"_s,
                           u"out/数据/"_s,
                           u"out/数据/数据-1.bin old:100"_s,
                           u"src/"_s,
                           u"src/inner/"_s,
                           u"src/inner/数据-2.bin two:100"_s,
                           u"src/数据-1.bin one:100"_s,
                           u"src/数据-3.bin three:100"_s}
            << u"分拣工作完成！\n有 3 个文件复制或删除失败。\n失败 3 个，已分拣 0 个，因同名未处理 0 个，内容相同 0 个，已过滤 0 个，不符合条件 0 个。"_s;
        QTest::newRow("the questioned file is deleted before the answer")
            << false << Interference() << removeFile(u"src/数据-1.bin"_s) << firstNotReplaced << oneFailed;
        QTest::newRow("a source deleted between listing and running")
            << false << removeFile(u"src/inner/数据-2.bin"_s) << Interference()
            << QStringList{u"out/"_s,
                           u"out/数据/"_s,
                           u"out/数据/数据-1.bin one:100"_s,
                           u"out/数据/数据-3.bin three:100"_s,
                           u"src/"_s,
                           u"src/inner/"_s}
            << oneFailed;
    }
    void revokedAccess() {
        QFETCH(bool, needsPermissions);
        QFETCH(Interference, atListing);
        QFETCH(Interference, atQuestion);
        QFETCH(QStringList, tree);
        QFETCH(QString, message);
        if (needsPermissions && RunningAsRoot() && !m_user) {
            QSKIP("running as root without setpriv, a user nobody or a temporary folder others can reach: "
                  "permission bits would not stop the sort");
        }
        // In move mode under the ask policy; the first file's destination is taken, so the run stops at its
        // question, and the second file lies in a folder of its own.
        writeLabelled(u"src/数据-1.bin"_s, "one", 100);
        writeLabelled(u"src/inner/数据-2.bin"_s, "two", 100);
        writeLabelled(u"src/数据-3.bin"_s, "three", 100);
        writeLabelled(u"out/数据/数据-1.bin"_s, "old", 100);

        WindowSortChild child(QStringLiteral(WINDOW_SORT_HELPER), m_dir->filePath(u"private"_s));
        if (m_user) {
            handOverTo(*m_user);
            child.runAs(*m_user);
        }
        const QString root = work();
        if (atListing) {
            child.onListed = [&] { atListing(root); };
        }
        if (atQuestion) {
            child.onQuestion = [&] { atQuestion(root); };
        }
        QVERIFY2(child.run(keywordSortOptions(u"move"_s, Control::RbAsk),
                           {at(u"src/数据-1.bin"_s), at(u"src/inner/数据-2.bin"_s), at(u"src/数据-3.bin"_s)}),
                 qPrintable(child.error));
        restoreAccess();

        tree.sort();
        QCOMPARE(TreeWithContents(work()), tree);
        QCOMPARE(child.questions, QStringList{u"文件"_s + at(u"out/数据/数据-1.bin"_s) + u"已存在，是否覆盖？"_s});
        QCOMPARE(child.messages, QStringList{message});
    }
};

QTEST_MAIN(TestKernelRefusals)
#include "test_kernel_refusals.moc"

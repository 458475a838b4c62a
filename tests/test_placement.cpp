#include "engine/placement/DiskPlacement.h"
#include "engine/placement/FolderMemory.h"
#include "engine/placement/Placement.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
struct FakePlacementHost : PlacementHost {
    SameNamePolicy policy = SameNamePolicy::Overwrite;
    OverwriteAnswer answer = OverwriteAnswer::No;
    QStringList questions;
    SameNamePolicy sameNamePolicy() const override { return policy; }
    bool skipIdentical() const override { return false; }
    bool keepComparing() override { return true; }
    bool moveMode() const override { return false; }
    OverwriteAnswer askOverwrite(const OverwriteQuestion& question) override {
        questions.append(question.text);
        return answer;
    }
};
} // namespace

Q_DECLARE_METATYPE(SameNamePolicy)
Q_DECLARE_METATYPE(PlaceResult)

// Placement of one file into one folder under the four same-name policies.
class TestPlacement : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* m_dir = nullptr;
    std::optional<DiskPlacement> m_folders; // the temporary folder is the output folder
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QByteArray bytes(const QString& name) const { return QFile::encodeName(path(name)); }

private slots:
    void init() {
        m_dir = new QTemporaryDir;
        m_folders.emplace(QFile::encodeName(m_dir->path()) + '/');
    }
    void cleanup() { delete m_dir; }

    void autoNumberTakesTheFirstFreeName_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("copyName");
        QTest::newRow("next number") << u"photo.jpg"_s << QStringList{u"photo.jpg"_s, u"photo_1.jpg"_s}
                                     << u"photo_2.jpg"_s;
        QTest::newRow("gap filled") << u"photo.jpg"_s << QStringList{u"photo.jpg"_s, u"photo_2.jpg"_s}
                                    << u"photo_1.jpg"_s;
        QTest::newRow("free name kept") << u"photo.jpg"_s << QStringList{u"photo_1.jpg"_s} << u"photo.jpg"_s;
        QTest::newRow("no dot") << u"README"_s << QStringList{u"README"_s} << u"README_1"_s;
        QTest::newRow("two dots") << u"a.tar.gz"_s << QStringList{u"a.tar.gz"_s} << u"a.tar_1.gz"_s;
        QTest::newRow("leading dot") << u".profile"_s << QStringList{u".profile"_s} << u"_1.profile"_s;
        QTest::newRow("Chinese") << u"西游记.txt"_s << QStringList{u"西游记.txt"_s} << u"西游记_1.txt"_s;
    }
    void autoNumberTakesTheFirstFreeName() {
        QFETCH(QString, source);
        QFETCH(QStringList, present);
        QFETCH(QString, copyName);
        const QByteArray sourcePath = WriteTestFile(path(u"src/"_s + source), "new");
        for (const QString& name : present) {
            WriteTestFile(path(u"out/"_s + name), "old");
        }
        FakePlacementHost host;
        host.policy = SameNamePolicy::Rename;
        QCOMPARE(PlaceFile(sourcePath, bytes(u"out"_s), host, *m_folders, true).result, PlaceResult::Copied);
        QCOMPARE(ReadTestFile(path(u"out/"_s + copyName)), QByteArray("new"));
        for (const QString& name : present) {
            QCOMPARE(ReadTestFile(path(u"out/"_s + name)), QByteArray("old"));
        }
        QCOMPARE(EntriesOf(path(u"out"_s)).size(), present.size() + 1);
    }

    void autoNumberOntoAFolderOfThatNameFails() {
        const QByteArray source = WriteTestFile(path(u"src/a.txt"_s));
        QDir().mkpath(path(u"out/a.txt"_s));
        FakePlacementHost host;
        host.policy = SameNamePolicy::Rename;
        QCOMPARE(PlaceFile(source, bytes(u"out"_s), host, *m_folders, true).result, PlaceResult::Failed);
        QVERIFY(QFileInfo(path(u"out/a.txt"_s)).isDir());
    }

    void policiesWithAnExistingFile_data() {
        QTest::addColumn<SameNamePolicy>("policy");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<PlaceResult>("result");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("questions");
        QTest::newRow("overwrite") << SameNamePolicy::Overwrite << false << PlaceResult::Copied << QByteArray("new")
                                   << 0;
        QTest::newRow("skip") << SameNamePolicy::Skip << false << PlaceResult::Declined << QByteArray("old") << 0;
        QTest::newRow("ask, yes") << SameNamePolicy::Ask << true << PlaceResult::Copied << QByteArray("new") << 1;
        QTest::newRow("ask, no") << SameNamePolicy::Ask << false << PlaceResult::Declined << QByteArray("old") << 1;
    }
    void policiesWithAnExistingFile() {
        QFETCH(SameNamePolicy, policy);
        QFETCH(bool, answer);
        QFETCH(PlaceResult, result);
        QFETCH(QByteArray, content);
        QFETCH(int, questions);
        const QByteArray source = WriteTestFile(path(u"src/a.jpg"_s), "new");
        WriteTestFile(path(u"out/photos/a.jpg"_s), "old");
        FakePlacementHost host;
        host.policy = policy;
        host.answer = answer ? OverwriteAnswer::Yes : OverwriteAnswer::No;
        QCOMPARE(PlaceFile(source, bytes(u"out/photos"_s), host, *m_folders, true).result, result);
        QCOMPARE(ReadTestFile(path(u"out/photos/a.jpg"_s)), content);
        QCOMPARE(host.questions.size(), questions);
        if (questions > 0) {
            QCOMPARE(host.questions.first(), u"文件"_s + path(u"out/photos/a.jpg"_s) + u"已存在，是否覆盖？"_s);
        }
        QCOMPARE(EntriesOf(path(u"out/photos"_s)), QStringList{u"a.jpg"_s});
    }

    void policiesWithoutAnExistingFileJustCopy_data() {
        QTest::addColumn<SameNamePolicy>("policy");
        QTest::newRow("overwrite") << SameNamePolicy::Overwrite;
        QTest::newRow("ask") << SameNamePolicy::Ask;
        QTest::newRow("skip") << SameNamePolicy::Skip;
        QTest::newRow("auto-number") << SameNamePolicy::Rename;
    }
    void policiesWithoutAnExistingFileJustCopy() {
        QFETCH(SameNamePolicy, policy);
        const QByteArray source = WriteTestFile(path(u"src/a.jpg"_s), "new");
        QDir().mkpath(path(u"out"_s));
        FakePlacementHost host;
        host.policy = policy;
        QCOMPARE(PlaceFile(source, bytes(u"out"_s), host, *m_folders, true).result, PlaceResult::Copied);
        QCOMPARE(ReadTestFile(path(u"out/a.jpg"_s)), QByteArray("new"));
        QVERIFY(host.questions.isEmpty());
    }

    void failuresAreFailuresNotRefusals() {
        FakePlacementHost host;
        host.policy = SameNamePolicy::Skip;
        // Missing source, missing folder: not the policy at work.
        QCOMPARE(PlaceFile(bytes(u"missing"_s), bytes(u""_s), host, *m_folders, true).result, PlaceResult::Failed);
        const QByteArray source = WriteTestFile(path(u"a"_s));
        QCOMPARE(PlaceFile(source, bytes(u"no-folder"_s), host, *m_folders, true).result, PlaceResult::Failed);
        // Overwrite onto a write-protected file.
        host.policy = SameNamePolicy::Overwrite;
        const QByteArray target = WriteTestFile(path(u"out/a"_s), "old");
        QVERIFY(::chmod(target.constData(), 0444) == 0);
        QCOMPARE(PlaceFile(source, bytes(u"out"_s), host, *m_folders, true).result, PlaceResult::Failed);
        QCOMPARE(ReadTestFile(path(u"out/a"_s)), QByteArray("old"));
    }

    void anEmptySubFolderNamePlacesInTheOutputFolder() {
        // The destination folder "out/" plus "/" plus the name gives "out//a", which is out/a.
        const QByteArray source = WriteTestFile(path(u"src/a"_s), "x");
        QDir().mkpath(path(u"out"_s));
        FakePlacementHost host;
        QCOMPARE(PlaceFile(source, bytes(u"out/"_s), host, *m_folders, true).result, PlaceResult::Copied);
        QCOMPARE(ReadTestFile(path(u"out/a"_s)), QByteArray("x"));
    }

    // However many folders a run places into, at most FolderMemory::kOpenLimit of them stay open, and a folder
    // that was closed is opened again when the run comes back to it.
    void manyFoldersStayWithinTheOpenLimit() {
        if (!QFileInfo::exists(u"/proc/self/fd"_s)) {
            QSKIP("no /proc here to count the open descriptors");
        }
        const QByteArray source = WriteTestFile(path(u"src/a"_s), "x");
        FakePlacementHost host;
        host.policy = SameNamePolicy::Rename;
        const qsizetype openBefore = EntriesOf(u"/proc/self/fd"_s).size();
        constexpr int kFolders = int(FolderMemory::kOpenLimit) * 2;
        for (int round = 0; round < 2; ++round) {
            for (int i = 0; i < kFolders; ++i) {
                const QByteArray folder = bytes(u"out/"_s + QString::number(i));
                m_folders->ensureFolder(folder);
                QCOMPARE(PlaceFile(source, folder, host, *m_folders, true).result, PlaceResult::Copied);
            }
        }
        QVERIFY(EntriesOf(u"/proc/self/fd"_s).size() <= openBefore + FolderMemory::kOpenLimit + 1); // and the root
        for (int i = 0; i < kFolders; ++i) {
            QCOMPARE(EntriesOf(path(u"out/"_s + QString::number(i))), (QStringList{u"a"_s, u"a_1"_s}));
        }
    }

    void ensureFolder() {
        m_folders->ensureFolder(bytes(u"a/b/c"_s));
        QVERIFY(QFileInfo(path(u"a/b/c"_s)).isDir());
        m_folders->ensureFolder(bytes(u"a/b/c"_s)); // already there: nothing happens
        QVERIFY(QFileInfo(path(u"a/b/c"_s)).isDir());
        // A file bearing the name is not a folder, and it is not replaced.
        WriteTestFile(path(u"file"_s), "keep");
        m_folders->ensureFolder(bytes(u"file"_s));
        QVERIFY(QFileInfo(path(u"file"_s)).isFile());
        m_folders->ensureFolder(bytes(u"file/sub"_s));
        QCOMPARE(ReadTestFile(path(u"file"_s)), QByteArray("keep"));
    }
};

QTEST_GUILESS_MAIN(TestPlacement)
#include "test_placement.moc"

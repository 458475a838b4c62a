#include "JournalRunDriver.h"
#include "JournalTestEnvironment.h"
#include "JournaledHost.h"
#include "TreeSnapshot.h"
#include "core/FsFileCopy.h"
#include "core/FsRegularFile.h"
#include "engine/SortRun.h"
#include "journal/History.h"
#include "journal/Undo.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>

// A run killed with SIGKILL anywhere between two of its steps on the disk, then undone: nothing is lost and the
// trees are as before. The same for a sort run killed inside a batch of placements whose intents are written.

namespace {

constexpr char kChildOption[] = "--crash-child";
constexpr char kSortChildOption[] = "--sort-child";
constexpr int kSortFiles = 700; // close to three batches of placements

// Where the sort child kills itself: after the host is told of its n-th step, or during the n-th copy.
enum class KillPoint { AfterStep, DuringCopy };

// A journaled sort's host that kills the process at its kill point.
struct KillingHost : JournaledHost, Fs::CopyHooks {
    KillPoint point = KillPoint::AfterStep;
    int killAt = 0;
    mutable int seen = 0;
    void stepEnded(const PlanStep& step) override {
        if (point == KillPoint::AfterStep && ++seen == killAt) {
            ::raise(SIGKILL);
        }
        JournaledHost::stepEnded(step);
    }
    void chunkCopied(qint64) const override {
        if (point == KillPoint::DuringCopy && ++seen == killAt) {
            ::raise(SIGKILL);
        }
    }
    const Fs::CopyHooks* copyHooks() const override { return this; }
};

QByteArray sortFileName(int i) {
    return "f" + QByteArray::number(i) + "_kw" + QByteArray::number(i % 5) + ".dat";
}

// Files for a keyword sort in source, and in out a file at every 40th of their names, which the sort replaces,
// keeping the old one. Every 40th file has a twin of its name in source/twin, listed right after it, so that two
// placements of one batch meet at one name.
void makeSortTree(const QByteArray& source, const QByteArray& out) {
    MakeFolder(source);
    MakeFolder(source + "/twin");
    MakeFolder(out);
    for (int keyword = 0; keyword < 5; ++keyword) {
        MakeFolder(out + "/kw" + QByteArray::number(keyword));
    }
    for (int i = 0; i < kSortFiles; ++i) {
        MakeFile(source + '/' + sortFileName(i), "content of " + sortFileName(i));
        if (i % 40 == 0) {
            MakeFile(out + "/kw" + QByteArray::number(i % 5) + '/' + sortFileName(i), "older " + sortFileName(i));
            MakeFile(source + "/twin/" + sortFileName(i), "twin of " + sortFileName(i));
        }
    }
}

// The child: a journaled keyword sort of the files in source into out, killed at its kill point.
int runSortChild(const QByteArray& source, const QByteArray& out, bool move, SameNamePolicy policy, KillPoint point,
                 int killAt) {
    KillingHost host;
    host.point = point;
    host.killAt = killAt;
    for (int i = 0; i < kSortFiles; ++i) {
        host.files.append(source + '/' + sortFileName(i));
        if (i % 40 == 0) {
            host.files.append(source + "/twin/" + sortFileName(i));
        }
    }
    host.inputs.policy = policy;
    host.inputs.keywords = QStringLiteral("kw0 kw1 kw2 kw3 kw4");
    host.inputs.outputFolder = QFile::decodeName(out);
    host.inputs.move = move;
    RunSort(host);
    return 0;
}

// The child: the driven run of the tree at root (and other), killed at its killAt-th checkpoint.
int runCrashChild(const QByteArray& root, const QByteArray& other, quint32 seed, int killAt, bool move) {
    const DrivenTree tree{root + "/tree/src", root + "/tree/out", other};
    QByteArray list;
    (void)Fs::ReadRegularFile(root + "/list", list);
    const std::unique_ptr<RunJournal> journal = *RunJournal::start(JournalFolder::standard(), TestRunHeader(move));
    int points = 0;
    DriveRun(*journal, tree, list.split('\0'), seed, move, [&] {
        if (++points == killAt) {
            ::raise(SIGKILL);
        }
    });
    (void)journal->finish({});
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(KillPoint)
Q_DECLARE_METATYPE(SameNamePolicy)

class TestJournalCrash : public QObject {
    Q_OBJECT
private:
    JournalTestHome m_home;
    QByteArray m_second = MountSecondFileSystem();

private slots:
    void undoAfterAKillLosesNothing_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("move");
        for (quint32 seed = 1; seed <= 20; ++seed) {
            QTest::addRow("copy %u", seed) << seed << false;
            QTest::addRow("move %u", seed) << seed << true;
        }
    }
    void undoAfterAKillLosesNothing() {
        QFETCH(quint32, seed);
        QFETCH(bool, move);
        QTemporaryDir work;
        const QByteArray root = QFile::encodeName(work.path());
        const QByteArray other = m_second.isEmpty() ? QByteArray() : m_second + "/crash-" + QTest::currentDataTag();
        const DrivenTree tree{root + "/tree/src", root + "/tree/out", other};
        const QByteArrayList list = MakeDrivenTree(tree, seed);
        MakeFile(root + "/list", list.join('\0'));
        const TreeSnapshot before = SnapshotOf(root + "/tree");
        const TreeSnapshot otherBefore = SnapshotOf(other);

        const int killAt = int(QRandomGenerator(seed * 7 + move).bounded(1, 150));
        QProcess child;
        child.start(ThisTestProgram(),
                    {QString::fromLatin1(kChildOption), QFile::decodeName(root), QFile::decodeName(other),
                     QString::number(seed), QString::number(killAt), QString::number(int(move))});
        QVERIFY(child.waitForFinished(60000));
        const bool killed = child.exitStatus() == QProcess::CrashExit; // or it finished before its kill point

        const std::optional<RunSummary> run = LastRunToUndo(m_home.journals());
        QVERIFY(run.has_value());
        QCOMPARE(run->state, killed ? RunState::Interrupted : RunState::Complete);
        const UndoResult result = UndoRun(m_home.journals(), run->id);
        QCOMPARE(result.status, UndoResult::Status::Done);
        QVERIFY2(SnapshotOf(root + "/tree") == before,
                 DifferencesBetween(before, SnapshotOf(root + "/tree")).constData());
        QVERIFY2(SnapshotOf(other) == otherBefore, DifferencesBetween(otherBefore, SnapshotOf(other)).constData());
        QVERIFY2(result.items.isEmpty(), UndoReasonCode(result.items.value(0).reason));
        RemoveTree(root + "/tree");
        RemoveTree(other);
    }

    // Killed after the intents of a batch were written and some, none or all of its placements were made (the
    // first batch's first, last but one and last step, inside the second and third, during a copy), undo
    // brings back every file and every replaced file, and reports nothing left.
    void sortKilledInsideABatchIsUndone_data() {
        QTest::addColumn<bool>("move");
        QTest::addColumn<SameNamePolicy>("policy");
        QTest::addColumn<KillPoint>("point");
        QTest::addColumn<int>("killAt");
        for (const bool move : {false, true}) {
            const char* mode = move ? "move" : "copy";
            for (const int step : {1, 255, 256, 300, 600}) {
                QTest::addRow("%s, after step %d", mode, step)
                    << move << SameNamePolicy::Overwrite << KillPoint::AfterStep << step;
            }
            QTest::addRow("%s, during copy 257", mode)
                << move << SameNamePolicy::Overwrite << KillPoint::DuringCopy << 257;
            // The twin that meets the first file's name is told as the second step, and skipped.
            QTest::addRow("%s, skip, after step 2", mode) << move << SameNamePolicy::Skip << KillPoint::AfterStep << 2;
        }
    }
    void sortKilledInsideABatchIsUndone() {
        QFETCH(bool, move);
        QFETCH(SameNamePolicy, policy);
        QFETCH(KillPoint, point);
        QFETCH(int, killAt);
        QTemporaryDir work;
        const QByteArray source = QFile::encodeName(work.path()) + "/src";
        // A move copies only to another file system.
        const bool acrossFileSystems = move && point == KillPoint::DuringCopy;
        if (acrossFileSystems && m_second.isEmpty()) {
            QSKIP("no second file system could be mounted here");
        }
        const QByteArray out = (acrossFileSystems ? m_second : QFile::encodeName(work.path())) + "/sort-out";
        makeSortTree(source, out);
        const TreeSnapshot before = SnapshotOf(source);
        const TreeSnapshot outBefore = SnapshotOf(out);

        QProcess child;
        child.start(ThisTestProgram(),
                    {QString::fromLatin1(kSortChildOption), QFile::decodeName(source), QFile::decodeName(out),
                     QString::number(int(move)), QString::number(int(policy)), QString::number(int(point)),
                     QString::number(killAt)});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const std::optional<RunSummary> run = LastRunToUndo(m_home.journals());
        QVERIFY(run.has_value());
        QCOMPARE(run->state, RunState::Interrupted);
        const UndoResult result = UndoRun(m_home.journals(), run->id);
        QCOMPARE(result.status, UndoResult::Status::Done);
        QVERIFY2(result.items.isEmpty(), UndoReasonCode(result.items.value(0).reason));
        QVERIFY2(SnapshotOf(source) == before, DifferencesBetween(before, SnapshotOf(source)).constData());
        QVERIFY2(SnapshotOf(out) == outBefore, DifferencesBetween(outBefore, SnapshotOf(out)).constData());
        RemoveTree(out);
    }
};

int main(int argc, char** argv) {
    if (argc == 8 && qstrcmp(argv[1], kSortChildOption) == 0) {
        QCoreApplication application(argc, argv);
        return runSortChild(argv[2], argv[3], atoi(argv[4]) != 0, SameNamePolicy(atoi(argv[5])),
                            KillPoint(atoi(argv[6])), atoi(argv[7]));
    }
    if (argc == 7 && qstrcmp(argv[1], kChildOption) == 0) {
        return runCrashChild(argv[2], argv[3], quint32(atoi(argv[4])), atoi(argv[5]), atoi(argv[6]) != 0);
    }
    MountSecondFileSystem();
    QCoreApplication application(argc, argv);
    TestJournalCrash test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_journal_crash.moc"

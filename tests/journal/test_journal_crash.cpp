#include "JournalRunDriver.h"
#include "JournalTestEnvironment.h"
#include "TreeSnapshot.h"
#include "core/FsRegularFile.h"
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
// trees are as before.

namespace {

constexpr char kChildOption[] = "--crash-child";

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
};

int main(int argc, char** argv) {
    if (argc == 7 && qstrcmp(argv[1], kChildOption) == 0) {
        return runCrashChild(argv[2], argv[3], quint32(atoi(argv[4])), atoi(argv[5]), atoi(argv[6]) != 0);
    }
    MountSecondFileSystem();
    QCoreApplication application(argc, argv);
    TestJournalCrash test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_journal_crash.moc"

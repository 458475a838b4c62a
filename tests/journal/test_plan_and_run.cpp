#include "JournalTestEnvironment.h"
#include "TreeSnapshot.h"
#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "engine/SortPlan.h"
#include "engine/SortRun.h"
#include "journal/JournalReader.h"
#include "journal/JournalRecorder.h"
#include "journal/Undo.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/PictureTypes.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArrayList kNames{"photo.jpg",    "report.doc", "a b.txt", "line\nbreak.txt",
                            "\xff\xfe.bin", "中文.txt",   "noext",   "photo_1.jpg"};

// A run's host whose run keeps a journal, and remembers its id.
struct JournaledHost : FakeRunHost {
    JournalFolder journals = JournalFolder::standard();
    QByteArray runId;
    RecordingStart startRecording(const RunDescription& run) override {
        Fs::Error error;
        std::unique_ptr<JournalRecorder> recorder = JournalRecorder::start(journals, run, error);
        runId = recorder ? recorder->journal().id() : QByteArray();
        return {true, std::move(recorder)};
    }
};

void makeFile(const QByteArray& path, QRandomGenerator& random) {
    MakeFile(path, QByteArray(int(random.bounded(1, 2000)), char('a' + random.bounded(26))));
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(1600000000 + random.bounded(100000000)), 5000}};
    ::utimensat(AT_FDCWD, path.constData(), times, 0);
}

QByteArray stepText(const QByteArray& source, const QByteArray& target, const char* code) {
    return source + " -> " + target + " [" + code + "]\n";
}

} // namespace

// The plan against the run it foretells, over random trees: every page, the policies skip, overwrite and
// auto-number, copy and move, shared names, names already in the output folder, names that are not valid UTF-8,
// filters. The plan touches nothing; its acting steps are the steps the run journals, in order, and its counts
// the run's; the run's undo gives back the whole tree, byte for byte.
class TestPlanAndRun : public QObject {
    Q_OBJECT
private:
    JournalTestHome m_home;
    QByteArray m_second = MountSecondFileSystem();

    // Sets up host for the page and fills the output folder with files at some of the names the run will use.
    static void choosePage(JournaledHost& host, int page) {
        host.page = page;
        host.keywords = u"photo o 中 a/b"_s;
        host.name = {false, {}, {}, {}, false};
        host.size = {0, u"大于"_s, u"1"_s, 0, u"KB"_s};
        host.date = {false, 0, QDate(2021, 6, 1), QTime(0, 0)};
        host.image = {false, 0, u"至少"_s, u"10"_s};
        host.filter.pictureTypes = StandardPictureTypes();
    }

private slots:
    void planMatchesRun_data() {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 36; ++seed) {
            QTest::addRow("seed %u", seed) << seed;
        }
    }
    void planMatchesRun() {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        QTemporaryDir work;
        const QByteArray root = QFile::encodeName(work.path());
        const QByteArray other = m_second.isEmpty() ? QByteArray() : m_second + "/plan-" + QByteArray::number(seed);
        JournaledHost host;
        choosePage(host, int(seed % 6));
        host.move = random.bounded(2) == 1;
        const SameNamePolicy policies[] = {SameNamePolicy::Skip, SameNamePolicy::Overwrite, SameNamePolicy::Rename};
        host.policy = policies[random.bounded(3)];
        if (random.bounded(3) == 0) {
            host.filter.exclude = true;
            host.filter.typeList = {u"*.doc"_s};
        }
        for (const QByteArray& folder :
             {root + "/src/s0", root + "/src/s1", other.isEmpty() ? root + "/src/s2" : other}) {
            Fs::MakeFolders(folder);
            for (const QByteArray& name : kNames) {
                if (random.bounded(3) != 0) {
                    makeFile(folder + '/' + name, random);
                    host.files.append(folder + '/' + name);
                }
            }
        }
        host.outDir = QFile::decodeName(root + "/out");
        MakeFolder(root + "/out");
        // Names the run will use, taken beforehand: a file, a write-protected file, a folder.
        const std::optional<SortPlan> empty = PlanSort(host);
        QVERIFY(empty);
        for (const PlanStep& step : empty->steps) {
            if (!step.target.isEmpty() && random.bounded(4) == 0 && !Fs::ReachesFolder(step.target)) {
                Fs::MakeFolders(FolderOf(step.target));
                const quint32 kind = random.bounded(6);
                if (kind == 0) {
                    Fs::MakeFolders(step.target);
                } else {
                    makeFile(step.target, random);
                    ::chmod(step.target.constData(), kind == 1 ? 0444 : 0644);
                }
            }
        }
        const TreeSnapshot before = SnapshotOf(root);
        const TreeSnapshot otherBefore = SnapshotOf(other);

        const std::optional<SortPlan> plan = PlanSort(host);
        QVERIFY(plan);
        QVERIFY2(SnapshotOf(root) == before, DifferencesBetween(before, SnapshotOf(root)).constData());
        QVERIFY(host.reports.isEmpty() && host.locks.isEmpty() && host.questions.isEmpty());

        RunSort(host);
        QCOMPARE(host.reports.size(), 1);
        const RunReport& report = host.reports.first();
        QCOMPARE(plan->outcomes.failed, report.failed);
        QCOMPARE(plan->outcomes.placed, report.placed);
        QCOMPARE(plan->outcomes.left, report.left);
        QCOMPARE(plan->outcomes.notMatching, report.notMatching);

        QByteArray planned;
        for (const PlanStep& step : plan->steps) {
            const bool acting = step.action == PlanAction::Copy || step.action == PlanAction::Move ||
                                step.action == PlanAction::Replace || step.action == PlanAction::Number;
            if (acting) {
                planned += stepText(step.source, step.target, PlanActionCode(step.action));
            }
        }
        QByteArray journaled;
        const Fs::Descriptor file = Fs::Open(host.journals.journalPath(host.runId), O_RDONLY);
        for (const JournalStep& step : ReadJournal(file.get()).steps) {
            if (!step.isFolder && step.written) {
                journaled += stepText(step.source, step.target, PlacementCode(step.transfer, step.nameUse));
            }
        }
        QCOMPARE(journaled, planned);

        const UndoResult undone = UndoRun(host.journals, host.runId);
        QVERIFY(undone.items.isEmpty());
        QVERIFY2(SnapshotOf(root) == before, DifferencesBetween(before, SnapshotOf(root)).constData());
        QVERIFY2(SnapshotOf(other) == otherBefore, DifferencesBetween(otherBefore, SnapshotOf(other)).constData());
        RemoveTree(other);
        RemoveTree(root);
    }
};

int main(int argc, char** argv) {
    MountSecondFileSystem();
    QCoreApplication application(argc, argv);
    TestPlanAndRun test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_plan_and_run.moc"

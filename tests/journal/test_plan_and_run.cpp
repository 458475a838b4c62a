#include "JournalTestEnvironment.h"
#include "JournaledHost.h"
#include "TreeSnapshot.h"
#include "core/FileNames.h"
#include "core/FsEntries.h"
#include "engine/BackgroundPlan.h"
#include "engine/SortPlan.h"
#include "engine/SortRun.h"
#include "journal/JournalReader.h"
#include "journal/Undo.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/PictureTypes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

const QByteArrayList kNames{"photo.jpg",    "report.doc", "a b.txt", "line\nbreak.txt",
                            "\xff\xfe.bin", "中文.txt",   "noext",   "photo_1.jpg"};

// A file of one of a few contents, so that files of the same bytes meet at one name.
void makeFile(const QByteArray& path, QRandomGenerator& random) {
    MakeFile(path, QByteArray(int(random.bounded(1, 4)) * 700, char('a' + random.bounded(2))));
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(1600000000 + random.bounded(100000000)), 5000}};
    ::utimensat(AT_FDCWD, path.constData(), times, 0);
}

QByteArray stepText(const QByteArray& source, const QByteArray& target, const char* code) {
    return source + " -> " + target + " [" + code + "]\n";
}

// A run's host set up by seed: its page, mode, same-name policy and filter, and the files it lists (made when
// makeFiles, else only named, for a child that runs the same sort).
void setUpRun(JournaledHost& host, const QByteArray& root, const QByteArray& other, quint32 seed, bool makeFiles) {
    QRandomGenerator random(seed);
    host.inputs.page = CriterionPage(seed % 6);
    host.inputs.keywords = u"photo o 中 a/b"_s;
    host.inputs.name = {false, {}, {}, {}, false};
    host.inputs.size = {SizeCondition::Larger, u"1"_s, SizeUnit::KB};
    host.inputs.date = {DateKind::ModificationTime, DateCondition::Earlier, QDate(2021, 6, 1), QTime(0, 0)};
    host.inputs.image = {ImageDimension::Width, PictureCondition::AtLeast, u"10"_s};
    host.inputs.filter.pictureTypes = StandardPictureTypes();
    host.inputs.move = random.bounded(2) == 1;
    const SameNamePolicy policies[] = {SameNamePolicy::Skip, SameNamePolicy::Overwrite, SameNamePolicy::Rename};
    host.inputs.policy = policies[random.bounded(3)];
    host.inputs.skipIdentical = random.bounded(2) == 1;
    if (random.bounded(3) == 0) {
        host.inputs.filter.exclude = true;
        host.inputs.filter.typeList = {u"*.doc"_s};
    }
    for (const QByteArray& folder : {root + "/src/s0", root + "/src/s1", other.isEmpty() ? root + "/src/s2" : other}) {
        if (makeFiles) {
            (void)Fs::MakeFolders(folder);
        }
        for (const QByteArray& name : kNames) {
            if (random.bounded(3) != 0) {
                if (makeFiles) {
                    makeFile(folder + '/' + name, random);
                }
                host.files.append(folder + '/' + name);
            }
        }
    }
    host.inputs.outputFolder = QFile::decodeName(root + "/out");
    if (!makeFiles) {
        return;
    }
    MakeFolder(root + "/out");
    // Names the run will use, taken beforehand: a file, a write-protected file, a folder.
    const std::optional<SortPlan> empty = PlanSort(host);
    for (const PlanStep& step : empty.value().steps) {
        if (!step.target.isEmpty() && random.bounded(4) == 0 && !Fs::ReachesFolder(step.target)) {
            (void)Fs::MakeFolders(FolderOf(step.target));
            const quint32 kind = random.bounded(6);
            if (kind == 0) {
                (void)Fs::MakeFolders(step.target);
            } else {
                makeFile(step.target, random);
                ::chmod(step.target.constData(), kind == 1 ? 0444 : 0644);
            }
        }
    }
}

constexpr char kChildOption[] = "--sort-child";

// The child: the sort of the tree at root (and other) by seed, killed with SIGKILL after killAt files, or, when
// killAt is negative, after -killAt microseconds, wherever the run then is.
int runSortChild(const QByteArray& root, const QByteArray& other, quint32 seed, int killAt) {
    JournaledHost host;
    setUpRun(host, root, other, seed, false);
    int files = 0;
    host.onProcessEvents = [&] {
        if (++files == killAt) {
            ::raise(SIGKILL);
        }
    };
    if (killAt < 0) {
        std::thread([killAt] {
            std::this_thread::sleep_for(std::chrono::microseconds(-killAt));
            ::raise(SIGKILL);
        }).detach();
    }
    RunSort(host);
    return 0;
}

// after without the empty folders that before does not have.
TreeSnapshot withoutEmptyFolders(TreeSnapshot after, const TreeSnapshot& before) {
    after.removeIf([&](const auto& entry) {
        const auto next = after.upperBound(entry.key());
        const bool empty = next == after.end() || !next.key().startsWith(entry.key() + '/');
        return entry.value().kind == 'd' && empty && !before.contains(entry.key());
    });
    return after;
}

// Each step as one line: what the preview and the command line show of it.
QByteArray stepsText(const QList<PlanStep>& steps) {
    QByteArray text;
    for (const PlanStep& step : steps) {
        text += stepText(step.source, step.target, PlanActionCode(step.action)) + PlanStepReasonText(step).toUtf8() +
                " / " + step.preset + '\n';
    }
    return text;
}

QByteArray otherFolder(const QByteArray& second, const char* kind, quint32 seed) {
    return second.isEmpty() ? QByteArray() : second + '/' + kind + '-' + QByteArray::number(seed);
}

} // namespace

// The plan against the run it foretells, over random trees: every page, the policies skip, overwrite and
// auto-number, with files of the same bytes left alone or not, copy and move, shared names, names already in the
// output folder, names that are not valid UTF-8, filters. The plan touches nothing; its acting steps are the steps
// the run journals, in order, its steps of files of the same bytes are the run's, and its counts the run's; the run's
// undo gives back the whole tree, byte for byte. A run killed anywhere loses nothing.
class TestPlanAndRun : public QObject {
    Q_OBJECT
private:
    JournalTestHome m_home;
    QByteArray m_second = MountSecondFileSystem();

private slots:
    void planMatchesRun_data() {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 36; ++seed) {
            QTest::addRow("seed %u", seed) << seed;
        }
    }
    void planMatchesRun() {
        QFETCH(quint32, seed);
        QTemporaryDir work;
        const QByteArray root = QFile::encodeName(work.path());
        const QByteArray other = otherFolder(m_second, "plan", seed);
        JournaledHost host;
        setUpRun(host, root, other, seed, true);
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
        QCOMPARE(plan->outcomes.identical, report.identical);
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
        // The files of the same bytes, with the listed file each is the same as, are the run's.
        const auto identicalSteps = [](const QList<PlanStep>& steps) {
            QByteArray text;
            for (const PlanStep& step : steps) {
                if (step.action == PlanAction::Identical) {
                    text += stepText(step.source, step.target, "identical") + PlanStepReasonText(step).toUtf8() + '\n';
                }
            }
            return text;
        };
        QCOMPARE(identicalSteps(host.endedSteps), identicalSteps(plan->steps));

        const UndoResult undone = UndoRun(host.journals, host.runId);
        QVERIFY(undone.items.isEmpty());
        QVERIFY2(SnapshotOf(root) == before, DifferencesBetween(before, SnapshotOf(root)).constData());
        QVERIFY2(SnapshotOf(other) == otherBefore, DifferencesBetween(otherBefore, SnapshotOf(other)).constData());
        RemoveTree(other);
        RemoveTree(root);
    }

    // The plan made in a thread of its own and taken a part at a time is the plan made at once. Stopped at once, it
    // ends after a file, having told of the steps of the files it looked at and of nothing after them.
    void aPlanInItsOwnThreadIsThePlan_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("stopped");
        for (quint32 seed = 1; seed <= 12; ++seed) {
            QTest::addRow("seed %u", seed) << seed << false;
            QTest::addRow("seed %u, stopped", seed) << seed << true;
        }
    }
    void aPlanInItsOwnThreadIsThePlan() {
        QFETCH(quint32, seed);
        QFETCH(bool, stopped);
        QTemporaryDir work;
        JournaledHost host;
        setUpRun(host, QFile::encodeName(work.path()), {}, seed, true);
        const std::optional<SortPlan> plan = PlanSort(host);
        QVERIFY(plan);

        std::optional<QList<CheckedInputs>> checked = CheckInputsOf(host);
        QVERIFY(checked);
        BackgroundPlan background(std::move(*checked), host.files);
        QCOMPARE(background.fileCount(), host.files.size());
        QCOMPARE(background.outputFolder(), plan->outputFolder);
        if (stopped) {
            background.stop();
        }
        QList<PlanStep> steps;
        BackgroundPlan::Progress progress;
        QVERIFY(QTest::qWaitFor([&] {
            progress = background.take();
            steps += progress.steps;
            return progress.outcomes.has_value();
        }));
        const RunReport& outcomes = *progress.outcomes;
        const int looked = progress.filesLooked;
        if (outcomes.stopped) {
            QCOMPARE(outcomes.notReached, host.files.size() - looked);
        } else {
            QCOMPARE(looked, host.files.size());
        }
        QList<PlanStep> expected = plan->steps;
        const QByteArrayList lookedAt = host.files.first(looked);
        expected.removeIf([&](const PlanStep& step) { return !lookedAt.contains(step.source); });
        QCOMPARE(stepsText(steps), stepsText(expected));
        if (!stopped) {
            QVERIFY(!outcomes.stopped);
            QCOMPARE(outcomes.failed, plan->outcomes.failed);
            QCOMPARE(outcomes.placed, plan->outcomes.placed);
            QCOMPARE(outcomes.left, plan->outcomes.left);
            QCOMPARE(outcomes.identical, plan->outcomes.identical);
            QCOMPARE(outcomes.filtered, plan->outcomes.filtered);
            QCOMPARE(outcomes.notMatching, plan->outcomes.notMatching);
        }
        RemoveTree(QFile::encodeName(work.path()));
    }

    // A sort killed with SIGKILL at a random file, or at a random moment, then undone: every file is where it was,
    // with its bytes and time; the output folder holds nothing of the run.
    void undoAfterAKillLosesNothing_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("killAt");
        for (quint32 seed = 1; seed <= 24; ++seed) {
            const int files = int(QRandomGenerator(seed).bounded(1, 20));
            const int micros = int(QRandomGenerator(seed * 3).bounded(100, 20000));
            QTest::addRow("seed %u after file %d", seed, files) << seed << files;
            QTest::addRow("seed %u after %d µs", seed, micros) << seed << -micros;
        }
    }
    void undoAfterAKillLosesNothing() {
        QFETCH(quint32, seed);
        QFETCH(int, killAt);
        QTemporaryDir work;
        const QByteArray root = QFile::encodeName(work.path());
        const QByteArray other = otherFolder(m_second, "crash", seed);
        JournaledHost host;
        setUpRun(host, root, other, seed, true);
        const TreeSnapshot before = SnapshotOf(root);
        const TreeSnapshot otherBefore = SnapshotOf(other);
        const QByteArrayList runsBefore = host.journals.runIds();

        QProcess child;
        child.start(ThisTestProgram(), {QString::fromLatin1(kChildOption), QFile::decodeName(root),
                                        QFile::decodeName(other), QString::number(seed), QString::number(killAt)});
        QVERIFY(child.waitForFinished(60000));
        const QByteArrayList runs = host.journals.runIds();
        if (runs.isEmpty() || runsBefore.contains(runs.last())) {
            // Killed before its journal began: the run had not begun to act.
            QVERIFY2(SnapshotOf(root) == before, DifferencesBetween(before, SnapshotOf(root)).constData());
            RemoveTree(other);
            RemoveTree(root);
            return;
        }

        const UndoResult result = UndoRun(host.journals, runs.last());
        // Killed before its journal's first line was written, the run had not begun to act.
        const bool neverBegun = QFileInfo(QFile::decodeName(host.journals.journalPath(runs.last()))).size() == 0;
        QCOMPARE(result.status, neverBegun ? UndoResult::Status::Unreadable : UndoResult::Status::Done);
        // A folder is recorded once it is made: one killed in between stays, empty.
        const TreeSnapshot after = withoutEmptyFolders(SnapshotOf(root), before);
        QVERIFY2(after == before, DifferencesBetween(before, after).constData());
        QVERIFY2(SnapshotOf(other) == otherBefore, DifferencesBetween(otherBefore, SnapshotOf(other)).constData());
        QVERIFY2(result.items.isEmpty(), UndoReasonCode(result.items.value(0).reason));
        RemoveTree(other);
        RemoveTree(root);
    }
};

int main(int argc, char** argv) {
    if (argc == 6 && qstrcmp(argv[1], kChildOption) == 0) {
        return runSortChild(argv[2], argv[3], quint32(atoi(argv[4])), atoi(argv[5]));
    }
    MountSecondFileSystem();
    QCoreApplication application(argc, argv);
    TestPlanAndRun test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_plan_and_run.moc"

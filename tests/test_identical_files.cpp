#include "engine/SortPlan.h"
#include "engine/SortRun.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// What holds the target's name before the run.
enum class Holder { IdenticalFile, SameSizeOtherBytes, Folder, LinkToIdenticalFile };

const QByteArray kContent = "the same bytes, twice";

// A file of size bytes in which every MiB differs from the next.
QByteArray bigContent(int mebibytes) {
    QByteArray content;
    for (int i = 0; i < mebibytes; ++i) {
        content += QByteArray(1 << 20, char('a' + i));
    }
    return content;
}

// The counts of a report, in the order every text shows them.
QList<int> countsOf(const RunReport& report) {
    return {report.failed, report.placed, report.left, report.identical, report.filtered, report.notMatching};
}

// A step as text, for comparing the plan's steps with the run's: a failed step of the run names the action it tried,
// the plan's calls it refused.
QString stepText(const PlanStep& step) {
    const char* action = step.reason ? PlanActionCode(PlanAction::Refused) : PlanActionCode(step.action);
    return QString::fromUtf8(step.source + " -> " + step.target + ' ' + action + ' ') + PlanStepReasonText(step);
}

} // namespace

Q_DECLARE_METATYPE(SameNamePolicy)
Q_DECLARE_METATYPE(Holder)

// Files whose bytes are already at their target name: left alone when the box is ticked, under every policy, in
// the run and in its plan alike; and never for a file that merely has the same size or name.
class TestIdenticalFiles : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* m_dir = nullptr;
    FakeRunHost m_host;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    // A host on the keyword page that sorts into <root>/out/游记.
    FakeRunHost hostFor(const QString& root, SameNamePolicy policy, bool move, bool skipIdentical) const {
        FakeRunHost host;
        host.inputs.outputFolder = root + u"/out"_s;
        host.inputs.keywords = u"游记"_s;
        host.inputs.policy = policy;
        host.inputs.move = move;
        host.inputs.skipIdentical = skipIdentical;
        host.overwriteAnswer = OverwriteAnswer::No;
        return host;
    }
    // Lists src/<name> of root with content.
    static void list(FakeRunHost& host, const QString& root, const QString& name, const QByteArray& content) {
        host.files.append(WriteTestFile(root + u"/src/"_s + name, content));
    }
    // Puts holder at out/游记/西游记.txt of root.
    static void hold(const QString& root, Holder holder) {
        const QString target = root + u"/out/游记/西游记.txt"_s;
        switch (holder) {
        case Holder::IdenticalFile:
            WriteTestFile(target, kContent);
            break;
        case Holder::SameSizeOtherBytes:
            WriteTestFile(target, QByteArray(kContent.size(), 'x'));
            break;
        case Holder::Folder:
            QDir().mkpath(target);
            break;
        case Holder::LinkToIdenticalFile:
            WriteTestFile(root + u"/elsewhere.txt"_s, kContent);
            QDir().mkpath(root + u"/out/游记"_s);
            QVERIFY(QFile::link(root + u"/elsewhere.txt"_s, target));
            break;
        }
    }
    // A host that auto-numbers, with a file of content listed and the same bytes already at its name.
    FakeRunHost withBytesThere(const QByteArray& content, bool move) const {
        const QString root = m_dir->path();
        FakeRunHost host = hostFor(root, SameNamePolicy::Rename, move, true);
        list(host, root, u"西游记.txt"_s, content);
        WriteTestFile(root + u"/out/游记/西游记.txt"_s, content);
        return host;
    }
    // Runs host after planning it; the plan's counts and steps must be the run's.
    static void planAndRun(FakeRunHost& host) {
        const std::optional<SortPlan> plan = PlanSort(host);
        QVERIFY(plan);
        RunSort(host);
        QCOMPARE(host.reports.size(), 1);
        QCOMPARE(countsOf(plan->outcomes), countsOf(host.reports.first()));
        // Every question is answered No, which skips.
        QStringList planned;
        for (PlanStep step : plan->steps) {
            if (step.action == PlanAction::Ask) {
                step.action = PlanAction::Skip;
            }
            planned.append(stepText(step));
        }
        QStringList ran;
        for (const PlanStep& step : host.endedSteps) {
            ran.append(stepText(step));
        }
        QCOMPARE(ran, planned);
    }

private slots:
    void init() { m_dir = new QTemporaryDir; }
    void cleanup() { delete m_dir; }

    // Every policy, copy and move, with and without the box, for each kind of holder of the name. Only a regular
    // file of identical bytes, with the box ticked, changes anything: then the file is counted as identical, nothing
    // is written, no question is asked and a moved file stays. Otherwise the box makes no difference at all.
    void onlyIdenticalBytesAreLeftAlone_data() {
        QTest::addColumn<SameNamePolicy>("policy");
        QTest::addColumn<bool>("move");
        QTest::addColumn<Holder>("holder");
        const std::pair<SameNamePolicy, const char*> policies[] = {{SameNamePolicy::Overwrite, "overwrite"},
                                                                   {SameNamePolicy::Skip, "skip"},
                                                                   {SameNamePolicy::Ask, "ask"},
                                                                   {SameNamePolicy::Rename, "number"}};
        const std::pair<Holder, const char*> holders[] = {{Holder::IdenticalFile, "identical file"},
                                                          {Holder::SameSizeOtherBytes, "same size, other bytes"},
                                                          {Holder::Folder, "folder"},
                                                          {Holder::LinkToIdenticalFile, "link to an identical file"}};
        for (const auto& [policy, policyName] : policies) {
            for (const bool move : {false, true}) {
                for (const auto& [holder, holderName] : holders) {
                    QTest::addRow("%s, %s, %s", policyName, move ? "move" : "copy", holderName)
                        << policy << move << holder;
                }
            }
        }
    }
    void onlyIdenticalBytesAreLeftAlone() {
        QFETCH(SameNamePolicy, policy);
        QFETCH(bool, move);
        QFETCH(Holder, holder);
        QList<QList<int>> counts;
        QList<QStringList> trees;
        for (const bool skipIdentical : {false, true}) {
            const QString root = path(skipIdentical ? u"ticked"_s : u"unticked"_s);
            FakeRunHost host = hostFor(root, policy, move, skipIdentical);
            list(host, root, u"西游记.txt"_s, kContent);
            hold(root, holder);
            planAndRun(host);
            counts.append(countsOf(host.reports.first()));
            QStringList tree = EntriesOf(root + u"/out/游记"_s) + EntriesOf(root + u"/src"_s);
            tree.append(QString::fromUtf8(ReadTestFile(root + u"/out/游记/西游记.txt"_s)));
            trees.append(tree);
            if (skipIdentical && holder == Holder::IdenticalFile) {
                QCOMPARE(countsOf(host.reports.first()), (QList<int>{0, 0, 0, 1, 0, 0}));
                QCOMPARE(EntriesOf(root + u"/out/游记"_s), QStringList{u"西游记.txt"_s});
                QCOMPARE(EntriesOf(root + u"/src"_s), QStringList{u"西游记.txt"_s});
                QVERIFY(host.questions.isEmpty());
                QCOMPARE(host.endedSteps.size(), 1);
                QCOMPARE(PlanStepReasonText(host.endedSteps.first()), u"目标位置已有内容相同的文件"_s);
                QCOMPARE(host.reports.first().keptAtSource,
                         move ? QByteArrayList{host.files.first()} : QByteArrayList{});
            }
        }
        if (holder != Holder::IdenticalFile) {
            QCOMPARE(counts.last(), counts.first());
            QCOMPARE(trees.last(), trees.first());
        } else {
            QCOMPARE(counts.first()[3], 0);
        }
    }

    // Listed files of one size that go to one name: one of the same bytes as the file then at the name is counted as
    // identical to the listed file placed there, in the plan (which hashes the files once more than two met) as in
    // the run. Overwriting, the name holds the last file placed; numbering, every numbered name is compared.
    void identicalListedFilesArePlacedOnce_data() {
        QTest::addColumn<SameNamePolicy>("policy");
        QTest::addColumn<bool>("move");
        QTest::addColumn<int>("identical");
        QTest::newRow("skip, copy") << SameNamePolicy::Skip << false << 2;
        QTest::newRow("overwrite, move") << SameNamePolicy::Overwrite << true << 1;
        QTest::newRow("ask, copy") << SameNamePolicy::Ask << false << 2;
        QTest::newRow("number, copy") << SameNamePolicy::Rename << false << 3;
        QTest::newRow("number, move") << SameNamePolicy::Rename << true << 3;
    }
    void identicalListedFilesArePlacedOnce() {
        QFETCH(SameNamePolicy, policy);
        QFETCH(bool, move);
        QFETCH(int, identical);
        const QString root = m_dir->path();
        FakeRunHost host = hostFor(root, policy, move, true);
        const QByteArray other(kContent.size(), 'o');
        list(host, root, u"a/西游记.txt"_s, kContent);
        list(host, root, u"b/西游记.txt"_s, kContent);
        list(host, root, u"c/西游记.txt"_s, other);
        list(host, root, u"d/西游记.txt"_s, kContent);
        list(host, root, u"e/西游记.txt"_s, other);
        planAndRun(host);
        const RunReport& report = host.reports.first();
        const bool numbers = policy == SameNamePolicy::Rename;
        QCOMPARE(report.identical, identical);
        QCOMPARE(PlanStepReasonText(host.endedSteps[1]), u"与 %1 内容相同"_s.arg(QFile::decodeName(host.files[0])));
        if (numbers) {
            QCOMPARE(EntriesOf(root + u"/out/游记"_s), (QStringList{u"西游记.txt"_s, u"西游记_1.txt"_s}));
            QCOMPARE(ReadTestFile(root + u"/out/游记/西游记_1.txt"_s), other);
            QCOMPARE(PlanStepReasonText(host.endedSteps[4]), u"与 %1 内容相同"_s.arg(QFile::decodeName(host.files[2])));
        }
        QCOMPARE(ReadTestFile(root + u"/src/b/西游记.txt"_s), kContent);
    }

    // A file written to while it is compared is not taken as identical, even where the bytes read before the write
    // matched: the run goes on as its policy says, with the file as it now is.
    void aFileChangedWhileComparedIsNotIdentical() {
        const QString root = m_dir->path();
        const QByteArray content = bigContent(3);
        FakeRunHost host = withBytesThere(content, false);
        QVERIFY(SetModificationTime(root + u"/src/西游记.txt"_s, QDateTime::currentDateTime().addDays(-1)));
        QByteArray changed = content;
        changed[0] = 'z';
        bool written = false;
        host.onProcessEvents = [&] {
            if (!written) {
                written = true;
                WriteTestFile(root + u"/src/西游记.txt"_s, changed);
            }
        };
        RunSort(host);
        QVERIFY(written);
        QCOMPARE(countsOf(host.reports.first()), (QList<int>{0, 1, 0, 0, 0, 0}));
        QCOMPARE(ReadTestFile(root + u"/out/游记/西游记.txt"_s), content);
        QCOMPARE(ReadTestFile(root + u"/out/游记/西游记_1.txt"_s), changed);
    }

    // A stop asked for during a long comparison ends it after the chunk: the file is not placed, the run stops and
    // every file stays as it was.
    void aStopEndsALongComparison() {
        const QString root = m_dir->path();
        FakeRunHost host = withBytesThere(bigContent(8), true);
        list(host, root, u"游记二.txt"_s, "next");
        int calls = 0;
        host.onProcessEvents = [&] {
            ++calls;
            host.stop = true;
        };
        RunSort(host);
        const RunReport& report = host.reports.first();
        QVERIFY(report.stopped);
        QCOMPARE(report.notReached, 1);
        QCOMPARE(countsOf(report), (QList<int>{1, 0, 0, 0, 0, 0}));
        QCOMPARE(report.failures.first().reason, FailureReason::Interrupted);
        // Once between two chunks of the comparison, once after the file.
        QCOMPARE(calls, 2);
        QCOMPARE(EntriesOf(root + u"/out/游记"_s), QStringList{u"西游记.txt"_s});
        QCOMPARE(EntriesOf(root + u"/src"_s), (QStringList{u"游记二.txt"_s, u"西游记.txt"_s}));
    }
};

QTEST_GUILESS_MAIN(TestIdenticalFiles)

#include "test_identical_files.moc"

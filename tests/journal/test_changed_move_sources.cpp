#include "JournalTestEnvironment.h"
#include "JournaledHost.h"
#include "TreeSnapshot.h"
#include "core/FsEntries.h"
#include "engine/SortRun.h"
#include "journal/JournalReader.h"
#include "journal/Undo.h"
#include "testsupport/ActAfterChunk.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/LabelledContent.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TmpfsMount.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kNewVersion = "the new version";
const QByteArray kOtherFile = "the file that had the name";
constexpr time_t kOldTime = 1600000000;

QByteArray read(const QByteArray& path) {
    return ReadTestFile(QFile::decodeName(path));
}

// The last placement a run's journal holds (a replacement is tried as a free name first).
JournalStep lastPlacement(const JournaledHost& host) {
    const JournalContent journal = ParseJournal(read(host.journals.journalPath(host.runId)));
    for (auto step = journal.steps.crbegin(); step != journal.steps.crend(); ++step) {
        if (!step->isFolder) {
            return *step;
        }
    }
    return {};
}

} // namespace

// A move across file systems whose source changes while or after it is copied, before the move deletes it: the
// source is always kept, and exactly one whole copy of each version is left. A source written to in place leaves
// no copy (the copy could hold old and new bytes mixed), and a file it replaced comes back; a new version renamed
// over the source's name leaves the copy as the only copy of the file that was read, and it counts as placed.
class TestChangedMoveSources : public QObject {
    Q_OBJECT
private:
    JournalTestHome m_home;

private slots:
    void aMoveKeepsOneWholeCopyOfEachVersion_data() {
        QTest::addColumn<QByteArray>("change"); // "rewrite": written to in place; "rename": a new file renamed over it
        QTest::addColumn<bool>("duringCopy");   // after the copy's first chunk, else after the copy, before deletion
        QTest::addColumn<QByteArray>("there");  // what held the target's name: nothing, "other" or "same" bytes
        QTest::newRow("rewritten during its copy") << "rewrite"_ba << true << QByteArray();
        QTest::newRow("rewritten during its copy, replacing a file") << "rewrite"_ba << true << "other"_ba;
        QTest::newRow("rewritten after its copy") << "rewrite"_ba << false << QByteArray();
        QTest::newRow("rewritten after its copy, replacing a file") << "rewrite"_ba << false << "other"_ba;
        QTest::newRow("rewritten after its copy, replacing the same bytes") << "rewrite"_ba << false << "same"_ba;
        QTest::newRow("renamed over during its copy") << "rename"_ba << true << QByteArray();
        QTest::newRow("renamed over after its copy") << "rename"_ba << false << QByteArray();
        QTest::newRow("renamed over after its copy, replacing a file") << "rename"_ba << false << "other"_ba;
    }
    void aMoveKeepsOneWholeCopyOfEachVersion() {
        QFETCH(QByteArray, change);
        QFETCH(bool, duringCopy);
        QFETCH(QByteArray, there);
        QTemporaryDir work;
        const QByteArray root = QFile::encodeName(work.path());
        MakeFolder(root + "/src");
        const TmpfsMount sources(root + "/src", qint64(16) << 20);
        if (!sources.mounted()) {
            QSKIP(qPrintable(sources.reason()));
        }
        const QByteArray source = root + "/src/游记.doc";
        const QByteArray target = root + "/out/游记/游记.doc";
        const QByteArray content = LabelledContent("old", 3 << 20);
        MakeFile(source, content);
        QVERIFY(!Fs::MakeFolders(root + "/out/游记").failed());
        if (!there.isEmpty()) {
            MakeFile(target, there == "same" ? content : kOtherFile);
            const struct timespec times[2] = {{kOldTime, 0}, {kOldTime, 0}};
            QVERIFY(::utimensat(AT_FDCWD, target.constData(), times, 0) == 0);
        }
        const QByteArray targetBefore = read(target);

        // The end of the file, not read yet when the copy's first chunk is done.
        QByteArray rewritten = content;
        rewritten.replace(rewritten.size() - 4, 4, "NEW!");
        const auto act = [&] {
            if (change == "rewrite") {
                const int file = ::open(source.constData(), O_WRONLY | O_CLOEXEC);
                QVERIFY(::pwrite(file, "NEW!", 4, content.size() - 4) == 4);
                ::close(file);
            } else {
                MakeFile(root + "/src/new", kNewVersion);
                QVERIFY(::rename(root + "/src/new", source) == 0);
            }
        };
        ActAfterChunk hooks;
        JournaledHost host;
        host.files = {source};
        host.inputs.keywords = u"游记"_s;
        host.inputs.outputFolder = QFile::decodeName(root + "/out");
        host.inputs.move = true;
        host.inputs.policy = SameNamePolicy::Overwrite;
        host.hooks = &hooks;
        hooks.act = act;
        hooks.atLeast = duringCopy ? 1 : content.size();
        RunSort(host);

        const QByteArray sourceNow = change == "rewrite" ? rewritten : kNewVersion;
        const RunReport& report = host.reports.value(0);
        QCOMPARE(read(source), sourceNow);
        const JournalStep step = lastPlacement(host);
        if (change == "rewrite") {
            QCOMPARE(report.failed, 1);
            QCOMPARE(report.failures.value(0).reason, FailureReason::ChangedDuringCopy);
            QCOMPARE(report.onlyCopies, QByteArrayList());
            QCOMPARE(read(target), targetBefore);
            QCOMPARE(Fs::ReachesAnything(target), !there.isEmpty());
            QVERIFY(step.failed);
            if (there == "same") {
                struct stat status {};
                QVERIFY(::stat(target.constData(), &status) == 0);
                QCOMPARE(status.st_mtim.tv_sec, kOldTime);
            }
        } else {
            QCOMPARE(report.placed, 1);
            QCOMPARE(report.failed, 0);
            QCOMPARE(report.onlyCopies, QByteArrayList{source});
            QCOMPARE(read(target), content);
            QVERIFY(step.written.has_value() && !step.failed);
        }
        QCOMPARE(EntriesOf(QFile::decodeName(m_home.trash() + "/files")).size(),
                 change == "rename" && !there.isEmpty());

        // Undo takes nothing more: neither version, nor the only copy of the file that was read.
        const UndoResult undo = UndoRun(host.journals, host.runId);
        QCOMPARE(undo.status, UndoResult::Status::Done);
        QCOMPARE(read(source), sourceNow);
        QCOMPARE(read(target), change == "rewrite" ? targetBefore : content);
        RemoveTree(root + "/out");
    }

    // A source changed after its move was decided and before the batch made it: the step of the file its intent
    // named ends, the file that is there now goes with an intent of its own, and undo brings back every file as the
    // change left it.
    void aSourceChangedBeforeItsBatchIsUndoneAsItWas_data() {
        QTest::addColumn<QByteArray>("change");
        QTest::newRow("rewritten") << "rewrite"_ba;
        QTest::newRow("renamed over") << "rename"_ba;
        QTest::newRow("deleted") << "delete"_ba;
    }
    void aSourceChangedBeforeItsBatchIsUndoneAsItWas() {
        QFETCH(QByteArray, change);
        QTemporaryDir work;
        const QByteArray root = QFile::encodeName(work.path());
        MakeFolder(root + "/src");
        JournaledHost host;
        for (const QByteArray& name : {"a_游记.doc"_ba, "b_游记.doc"_ba, "c_游记.doc"_ba}) {
            MakeFile(root + "/src/" + name, "first version of " + name);
            host.files.append(root + "/src/" + name);
        }
        host.inputs.keywords = u"游记"_s;
        host.inputs.outputFolder = QFile::decodeName(root + "/out");
        host.inputs.move = true;
        const QByteArray changed = host.files.first();
        TreeSnapshot expected;
        bool once = false; // after the first file was decided, while its move waits in the batch
        host.onProcessEvents = [&] {
            if (std::exchange(once, true)) {
                return;
            }
            if (change == "rewrite") {
                MakeFile(changed, "a longer second version");
            } else if (change == "rename") {
                MakeFile(root + "/src/new", kNewVersion);
                QVERIFY(::rename(root + "/src/new", changed) == 0);
            } else {
                QVERIFY(::unlink(changed.constData()) == 0);
            }
            expected = SnapshotOf(root + "/src");
        };
        RunSort(host);

        const RunReport& report = host.reports.value(0);
        QCOMPARE(report.failed, change == "delete" ? 1 : 0);
        QCOMPARE(report.placed, change == "delete" ? 2 : 3);
        const QByteArray target = root + "/out/游记/a_游记.doc";
        QCOMPARE(read(target), change == "rewrite"  ? "a longer second version"_ba
                               : change == "rename" ? kNewVersion
                                                    : QByteArray());

        const UndoResult undo = UndoRun(host.journals, host.runId);
        QCOMPARE(undo.status, UndoResult::Status::Done);
        QVERIFY2(undo.items.isEmpty(), UndoReasonCode(undo.items.value(0).reason));
        QVERIFY2(SnapshotOf(root + "/src") == expected,
                 DifferencesBetween(expected, SnapshotOf(root + "/src")).constData());
        QVERIFY(!Fs::ReachesAnything(root + "/out/游记"));
    }
};

QTEST_GUILESS_MAIN(TestChangedMoveSources)
#include "test_changed_move_sources.moc"

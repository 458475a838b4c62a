#include "JournalTestEnvironment.h"
#include "journal/History.h"
#include "journal/JournalRetention.h"
#include "journal/RunJournal.h"
#include "testsupport/FileSystemFixtures.h"

#include <QTest>

#include <optional>

namespace {

constexpr qint64 kDayNs = qint64(24) * 3600 * 1000000000;
constexpr qint64 kNowNs = qint64(1800000000) * 1000000000;

// entries described as text, oldest first: 'u' a run the user started, 'w' a watch batch, each a day after the one
// before it and the last one started now.
QList<RetentionEntry> entriesOf(const QByteArray& kinds) {
    QList<RetentionEntry> entries;
    for (qsizetype i = 0; i < kinds.size(); ++i) {
        const qint64 daysAgo = kinds.size() - 1 - i;
        entries.append({QByteArray::number(i), kNowNs - daysAgo * kDayNs, kinds[i] == 'w'});
    }
    return entries;
}

} // namespace

// How long journals stay: the newest runs the user started by number, watch batches by age, neither pushing the
// other out.
class TestJournalRetention : public QObject {
    Q_OBJECT
    std::optional<JournalTestHome> m_home;

private slots:
    void init() { m_home.emplace(); }

    void limits_data() {
        QTest::addColumn<QByteArray>("kinds");
        QTest::addColumn<int>("userRuns");
        QTest::addColumn<QByteArrayList>("removed");
        QTest::newRow("within both limits") << QByteArray("uwuw") << 2 << QByteArrayList{};
        QTest::newRow("oldest user runs go") << QByteArray("uuuu") << 2 << QByteArrayList{"0", "1"};
        // Many new batches never push out a user run, and count nothing toward their number.
        QTest::newRow("batches between user runs") << QByteArray("uwwwwwwu") << 2 << QByteArrayList{};
        // Day 14 before now is still kept; day 15 is past it.
        QTest::newRow("batches by age") << QByteArray("wwuuuuuuuuuuuuuu") << 50 << QByteArrayList{"0"};
        QTest::newRow("both at once") << QByteArray("uwwwwwwwwwwwwwwwuu") << 2 << QByteArrayList{"0", "1", "2"};
    }
    void limits() {
        QFETCH(QByteArray, kinds);
        QFETCH(int, userRuns);
        QFETCH(QByteArrayList, removed);
        QCOMPARE(RunsPastRetention(entriesOf(kinds), kNowNs, {userRuns, 14 * kDayNs}), removed);
    }

    // On the disk: journals of both kinds, started through RunJournal, pruned as the next run starts; the watch
    // mark survives the round trip through the run record.
    void pruneJournals() {
        const JournalFolder folder = m_home->journals();
        QByteArrayList oldBatches;
        QByteArrayList userRuns;
        for (int i = 0; i < 6; ++i) {
            RunHeader header = TestRunHeader(false);
            header.watch = i % 2 == 0;
            header.startNs = kNowNs - (20 - i) * kDayNs; // all older than 14 days
            const std::unique_ptr<RunJournal> journal = *RunJournal::start(folder, header);
            (header.watch ? oldBatches : userRuns).append(journal->id());
        }
        RunHeader recentBatch = TestRunHeader(true);
        recentBatch.watch = true;
        recentBatch.startNs = kNowNs - kDayNs;
        const QByteArray recentId = (*RunJournal::start(folder, recentBatch))->id();
        QCOMPARE(ReadRunSummary(folder, recentId)->header.watch, true);
        QCOMPARE(ReadRunSummary(folder, userRuns.first())->header.watch, false);

        PruneRuns(folder, kNowNs, {2, 14 * kDayNs});
        QByteArrayList kept = folder.runIds();
        std::sort(kept.begin(), kept.end());
        QByteArrayList expected = userRuns.mid(1) + QByteArrayList{recentId};
        std::sort(expected.begin(), expected.end());
        QCOMPARE(kept, expected);
    }

    // A plain undo passes over the watch batches newer than the user's last run, and counts them.
    void plainUndoPassesOverBatches() {
        const JournalFolder folder = m_home->journals();
        QByteArrayList ids;
        for (const bool watch : {false, true, true}) {
            RunHeader header = TestRunHeader(false);
            header.watch = watch;
            header.startNs = kNowNs + ids.size();
            std::unique_ptr<RunJournal> journal = *RunJournal::start(folder, header);
            const QByteArray made = m_home->root() + "/made" + QByteArray::number(ids.size());
            MakeFolder(made);
            journal->folderMade(made);
            (void)journal->finish({false, {}}, false);
            ids.append(journal->id());
        }
        QCOMPARE(LastRunToUndo(folder).value_or(RunSummary{}).id, ids[0]);
        QCOMPARE(LastRunToUndo(folder, WatchBatches::Included).value_or(RunSummary{}).id, ids[2]);
        QCOMPARE(WatchBatchesPassedOver(folder), 2);
        QCOMPARE(RunToUndoBefore(folder, ids[2], WatchBatches::Included).value_or(RunSummary{}).id, ids[1]);
    }
};

QTEST_GUILESS_MAIN(TestJournalRetention)
#include "test_journal_retention.moc"

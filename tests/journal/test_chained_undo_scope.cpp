#include "journal/JournalLine.h"
#include "journal/JournalReader.h"
#include "journal/JournalRecordText.h"
#include "journal/UndoScope.h"

#include <QTest>

// Where undo may act in a chained run's journal, read back from the records a run writes, and in a journal written
// before runs were chained.

namespace {

ChainedSort savedSort(const QByteArray& name, const QByteArray& out) {
    return {name, TypePage, true, SameNamePolicy::Skip, out};
}

JournalStep stepOf(const QByteArray& target, const std::optional<QByteArray>& preset) {
    JournalStep step;
    step.number = 1;
    step.transfer = Transfer::Move;
    step.source = "/in/file";
    step.target = target;
    step.preset = preset;
    return step;
}

// The journal text of a run with header, its saved sorts, and one step.
QByteArray journalOf(qint64 version, const RunHeader& header, const JournalStep& step) {
    QByteArray text = JournalLineWriter(kJournalHeaderType).number("version", version).line() + RunRecord(header);
    for (const ChainedSort& preset : header.chain) {
        text += PresetRecord(preset);
    }
    if (step.isFolder) {
        return text + FolderRecord(step.number, step.target, {}, step.preset);
    }
    return text + IntentRecord(step);
}

RunHeader headerWith(QList<ChainedSort> chain) {
    RunHeader header;
    header.move = true;
    header.outputFolder = chain.isEmpty() ? "/t/a/" : chain.first().outputFolder;
    header.chain = std::move(chain);
    return header;
}

} // namespace

class TestChainedUndoScope : public QObject {
    Q_OBJECT
private slots:
    void chainedStepsStayInTheirSavedSortsFolder_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<bool>("isFolder");
        QTest::addColumn<QByteArray>("preset"); // "-": the record names none
        QTest::addColumn<bool>("admitted");
        QTest::newRow("in its folder") << QByteArray("/t/a/.jpg/x.jpg") << false << QByteArray("a b") << true;
        QTest::newRow("in another's folder") << QByteArray("/t/b/sub/x.jpg") << false << QByteArray("a b") << false;
        QTest::newRow("deeper saved sort") << QByteArray("/t/b/sub/y") << false << QByteArray("b") << true;
        QTest::newRow("beside its folder") << QByteArray("/t/b/other") << false << QByteArray("b") << false;
        QTest::newRow("named alike") << QByteArray("/t/b/subway/y") << false << QByteArray("b") << false;
        QTest::newRow("above every folder") << QByteArray("/t/y") << false << QByteArray("a b") << false;
        QTest::newRow("no saved sort named") << QByteArray("/t/a/x") << false << QByteArray("-") << false;
        QTest::newRow("unknown saved sort") << QByteArray("/t/a/x") << false << QByteArray("c") << false;
        QTest::newRow("its folder, made") << QByteArray("/t/a") << true << QByteArray("a b") << true;
        QTest::newRow("its folder as a file") << QByteArray("/t/a") << false << QByteArray("a b") << false;
        QTest::newRow("up and out") << QByteArray("/t/a/../b/sub/y") << false << QByteArray("a b") << false;
    }
    void chainedStepsStayInTheirSavedSortsFolder() {
        QFETCH(QByteArray, target);
        QFETCH(bool, isFolder);
        QFETCH(QByteArray, preset);
        QFETCH(bool, admitted);
        JournalStep step = stepOf(target, preset == "-" ? std::nullopt : std::optional(preset));
        step.isFolder = isFolder;
        const RunHeader header = headerWith({savedSort("a b", "/t/a/"), savedSort("b", "/t/b/sub/")});
        const JournalContent content = ParseJournal(journalOf(kJournalVersion, header, step));
        QCOMPARE(content.damagedLines, 0);
        QCOMPARE(content.run->chain, header.chain);
        QCOMPARE(content.steps.size(), 1);
        QCOMPARE(content.steps.first().preset, step.preset);
        const UndoScope scope(content, "/kept");
        QCOMPARE(scope.root(), QByteArray("/t"));
        QCOMPARE(scope.admits(content.steps.first()), admitted);
    }

    // A journal of a run that was not chained confines undo to its output folder as before; a step naming a saved
    // sort there is refused.
    void unchainedJournals_data() {
        QTest::addColumn<qint64>("version");
        QTest::addColumn<QByteArray>("preset");
        QTest::addColumn<bool>("admitted");
        QTest::newRow("older version") << qint64(2) << QByteArray("-") << true;
        QTest::newRow("this version") << kJournalVersion << QByteArray("-") << true;
        QTest::newRow("a step naming a saved sort") << kJournalVersion << QByteArray("a") << false;
    }
    void unchainedJournals() {
        QFETCH(qint64, version);
        QFETCH(QByteArray, preset);
        QFETCH(bool, admitted);
        const JournalStep step = stepOf("/t/a/x", preset == "-" ? std::nullopt : std::optional(preset));
        const JournalContent content = ParseJournal(journalOf(version, headerWith({}), step));
        QVERIFY(content.readable);
        QCOMPARE(content.version, version);
        QCOMPARE(UndoScope(content, "/kept").admits(content.steps.value(0)), admitted);
    }

    // Saved sort records are read only right after the run record, each name once.
    void savedSortRecordsOutOfPlace() {
        const RunHeader header = headerWith({savedSort("a", "/t/a/")});
        QByteArray text = journalOf(kJournalVersion, header, stepOf("/t/a/x", QByteArray("a")));
        text += PresetRecord(savedSort("late", "/"));
        text += PresetRecord(savedSort("a", "/elsewhere/"));
        const JournalContent content = ParseJournal(text);
        QCOMPARE(content.damagedLines, 2);
        QCOMPARE(content.run->chain, header.chain);
    }
};

QTEST_GUILESS_MAIN(TestChainedUndoScope)
#include "test_chained_undo_scope.moc"

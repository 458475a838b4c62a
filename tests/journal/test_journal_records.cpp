#include "JournalTestEnvironment.h"
#include "core/FsRegularFile.h"
#include "journal/History.h"
#include "journal/JournalLine.h"
#include "journal/JournalReader.h"
#include "journal/RunJournal.h"
#include "journal/Undo.h"
#include "journal/XdgFolders.h"
#include "testsupport/FileSystemFixtures.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<RunCounts>)

// The journal as text and as files: every byte of a path survives, damage is skipped and counted, the folder's
// place, names and retention, and the states a history shows.
class TestJournalRecords : public QObject {
    Q_OBJECT
private:
    JournalTestHome m_home;

    // A finished journal of three copies of files that need not exist, in folder; its text.
    static QByteArray smallJournal(const JournalFolder& folder) {
        std::unique_ptr<RunJournal> journal = *RunJournal::start(folder, TestRunHeader(false));
        for (const QByteArray& name : {QByteArray("a\nb"), QByteArray("\xff%20"), QByteArray("c d")}) {
            journal->done(journal->intent(Transfer::Copy, NameUse::Free, "/nowhere/" + name, "/nowhere/out/" + name));
        }
        (void)journal->finish({false, {0, 3, 0, 0}});
        QByteArray text;
        (void)Fs::ReadRegularFile(folder.journalPath(journal->id()), text);
        return text;
    }

private slots:
    // Any bytes come back exactly, and the escaped form has no byte that could break a line or a field.
    void everyByteOfAValueSurvives() {
        QRandomGenerator random(7);
        for (int i = 0; i < 2000; ++i) {
            QByteArray value(int(random.bounded(40)), Qt::Uninitialized);
            for (char& byte : value) {
                byte = char(random.bounded(256));
            }
            const QByteArray escaped = EscapeJournalValue(value);
            for (const char byte : escaped) {
                QVERIFY(quint8(byte) > 0x20 && quint8(byte) != 0x7F);
            }
            QCOMPARE(UnescapeJournalValue(escaped), std::optional(value));
            const QByteArray line = JournalLineWriter("intent").bytes("source", value).line();
            QCOMPARE(JournalLineFields::parse(line.chopped(1))->bytes("source"), std::optional(value));
        }
    }

    // A journal cut off at any byte, or with any one byte changed, is read as far as it can be: the lines it
    // still holds whole are used, the rest is counted as damaged.
    void damageIsSkippedAndCounted() {
        const QByteArray text = smallJournal(m_home.journals());
        const JournalContent whole = ParseJournal(text);
        QVERIFY(whole.readable && whole.end && whole.damagedLines == 0);
        QCOMPARE(whole.steps.size(), 3);
        QCOMPARE(whole.steps[1].source, QByteArray("/nowhere/\xff%20"));
        const qsizetype headerEnd = text.indexOf('\n') + 1;
        for (qsizetype length = 0; length < text.size(); ++length) {
            const JournalContent cut = ParseJournal(text.first(length));
            QCOMPARE(cut.readable, length >= headerEnd);
            QVERIFY(cut.damagedLines <= 1);
            QVERIFY(cut.steps.size() <= whole.steps.size());
        }
        for (qsizetype at = headerEnd; at < text.size(); ++at) {
            QByteArray damaged = text;
            damaged[at] = char(damaged[at] ^ 0x20);
            const JournalContent read = ParseJournal(damaged);
            QVERIFY2(read.damagedLines >= 1, QByteArray::number(at).constData());
        }
    }

    // The folder follows XDG_STATE_HOME when it is absolute, otherwise lies under the home folder.
    void theFolderFollowsTheStateHome_data() {
        QTest::addColumn<QByteArray>("stateHome");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("absolute") << QByteArray("/x/state") << QByteArray("/x/state/Varnoth/runs");
        QTest::newRow("relative is ignored") << QByteArray("rel/state") << QByteArray("/h/.local/state/Varnoth/runs");
        QTest::newRow("unset") << QByteArray() << QByteArray("/h/.local/state/Varnoth/runs");
    }
    void theFolderFollowsTheStateHome() {
        QFETCH(QByteArray, stateHome);
        QFETCH(QByteArray, expected);
        const QByteArray savedState = qgetenv("XDG_STATE_HOME");
        const QByteArray savedHome = qgetenv("HOME");
        qputenv("HOME", "/h");
        stateHome.isEmpty() ? qunsetenv("XDG_STATE_HOME") : qputenv("XDG_STATE_HOME", stateHome);
        const QByteArray path = JournalFolder::standard().path();
        qputenv("XDG_STATE_HOME", savedState);
        qputenv("HOME", savedHome);
        QCOMPARE(path, expected);
    }

    // A folder that cannot be written is reported before any run starts; a good one is made private.
    void preparingTellsWhetherJournalsCanBeWritten() {
        MakeFile(m_home.root() + "/file");
        QCOMPARE(JournalFolder(m_home.root() + "/file/runs").prepare(),
                 (Fs::Error{Fs::Operation::CreateTemporary, ENOTDIR}));
        const JournalFolder folder(m_home.root() + "/new/runs");
        QCOMPARE(folder.prepare(), Fs::Error{});
        struct stat status {};
        QVERIFY(::stat(folder.path().constData(), &status) == 0 && (status.st_mode & 0777) == 0700);
        QVERIFY(folder.runIds().isEmpty());
    }

    // Each state as a history shows it, newest first; the last run not undone skips the undone one.
    void theHistoryShowsEachRunsState() {
        const JournalFolder folder(m_home.root() + "/history");
        const auto started = [&](qint64 second) {
            RunHeader header = TestRunHeader(false);
            header.startNs = second * 1000000000;
            return *RunJournal::start(folder, header);
        };
        (void)started(100)->finish({false, {1, 2, 3, 4}});
        QByteArray undone;
        {
            const std::unique_ptr<RunJournal> journal = started(200);
            (void)journal->finish({});
            undone = journal->id();
        }
        QVERIFY(UndoRun(folder, undone).items.isEmpty());
        (void)started(300)->finish({true, {0, 1, 0, 0}});
        started(400).reset(); // cut off without its last record
        const std::unique_ptr<RunJournal> running = started(500);

        QList<RunState> states;
        QStringList words;
        for (const RunSummary& run : ListRuns(folder)) {
            states.append(run.state);
            words.append(RunStateText(run.state) + u'/' + QString::fromLatin1(RunStateCode(run.state)));
        }
        QCOMPARE(words, QStringList({u"进行中/running"_s, u"中断/interrupted"_s, u"已停止/stopped"_s,
                                     u"已撤销/undone"_s, u"完成/complete"_s}));
        QCOMPARE(ListRuns(folder).last().counts, std::optional(RunCounts{1, 2, 3, 4}));
        QVERIFY(!ListRuns(folder)[1].counts.has_value());
        QCOMPARE(LastRunToUndo(folder)->id, running->id());
        QCOMPARE(UndoRun(folder, running->id()).status, UndoResult::Status::Running); // left alone
        QCOMPARE(UndoRun(folder, "../" + running->id()).status, UndoResult::Status::NoSuchRun);
    }

    // The end of a run counts the filtered files and the files of the same bytes apart, and an undo's end repeats
    // them; a journal written before they were counted apart has no such field and is read with none, and a
    // malformed one spoils the record.
    void theEndCountsFilteredFilesApart_data() {
        QTest::addColumn<QByteArray>("filteredField");  // empty: none
        QTest::addColumn<QByteArray>("identicalField"); // empty: none
        QTest::addColumn<std::optional<RunCounts>>("counts");
        QTest::newRow("recorded") << QByteArray("5") << QByteArray("6") << std::optional(RunCounts{1, 2, 3, 4, 5, 6});
        QTest::newRow("identical not recorded")
            << QByteArray("5") << QByteArray() << std::optional(RunCounts{1, 2, 3, 4, 5, std::nullopt});
        QTest::newRow("not recorded") << QByteArray() << QByteArray()
                                      << std::optional(RunCounts{1, 2, 3, 4, std::nullopt});
        QTest::newRow("malformed") << QByteArray("-5") << QByteArray() << std::optional<RunCounts>();
        QTest::newRow("identical malformed") << QByteArray("5") << QByteArray("x") << std::optional<RunCounts>();
    }
    void theEndCountsFilteredFilesApart() {
        QFETCH(QByteArray, filteredField);
        QFETCH(QByteArray, identicalField);
        QFETCH(std::optional<RunCounts>, counts);
        JournalLineWriter end("end");
        end.bytes("state", "complete").number("failed", 1).number("placed", 2).number("left", 3).number("nomatch", 4);
        if (!filteredField.isEmpty()) {
            end.bytes("filtered", filteredField);
        }
        if (!identicalField.isEmpty()) {
            end.bytes("identical", identicalField);
        }
        const std::optional<JournalLineFields> fields = JournalLineFields::parse(end.line().chopped(1));
        QVERIFY(fields);
        const std::optional<RunEnd> read = EndFields(*fields);
        QCOMPARE(read ? std::optional(read->counts) : std::nullopt, counts);
        if (!counts) {
            return;
        }
        // Written by a run and repeated by the undo of it, as the history reads them back.
        const JournalFolder folder(m_home.root() + "/ends-" + filteredField + '-' + identicalField);
        QByteArray id;
        {
            const std::unique_ptr<RunJournal> journal = *RunJournal::start(folder, TestRunHeader(false));
            QVERIFY(!journal->finish({false, *counts}).failed());
            id = journal->id();
        }
        QCOMPARE(ListRuns(folder).value(0).counts, counts);
        QVERIFY(UndoRun(folder, id).items.isEmpty());
        QCOMPARE(ListRuns(folder).value(0).state, RunState::Undone);
        QCOMPARE(ListRuns(folder).value(0).counts, counts);
    }

    // Two runs started in the same moment by one process get journals of their own.
    void runsStartedTogetherGetTheirOwnJournals() {
        const JournalFolder folder(m_home.root() + "/together");
        RunHeader header = TestRunHeader(true);
        header.startNs = 1714560000123456789;
        const std::unique_ptr<RunJournal> first = *RunJournal::start(folder, header);
        const std::unique_ptr<RunJournal> second = *RunJournal::start(folder, header);
        QCOMPARE(folder.runIds(), QByteArrayList({first->id(), second->id()}));
        QCOMPARE(first->id(), "20240501T104000.123Z-" + QByteArray::number(QCoreApplication::applicationPid()));
        QCOMPARE(second->id(), first->id() + "-2");
    }

    // Only the newest 50 runs are kept, and any older one that still holds replaced files beside it or is running.
    void retentionKeepsTheLastFiftyRuns() {
        const JournalFolder folder(m_home.root() + "/retention");
        QByteArrayList ids;
        std::unique_ptr<RunJournal> stillRunning;
        for (int run = 0; run < 60; ++run) {
            RunHeader header = TestRunHeader(false);
            header.startNs = qint64(1000 + run) * 1000000000;
            std::unique_ptr<RunJournal> journal = *RunJournal::start(folder, header);
            ids.append(journal->id());
            if (run == 1) {
                QVERIFY(!MakePrivateFolders(folder.keptFolder(journal->id())).failed());
                MakeFile(folder.keptFolder(journal->id()) + "/1-kept");
            }
            if (run == 2) {
                stillRunning = std::move(journal);
            }
        }
        QCOMPARE(folder.runIds(), QByteArrayList({ids[1], ids[2]}) + ids.mid(10));
    }
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    TestJournalRecords test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_journal_records.moc"

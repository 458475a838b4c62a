#include "JournalTestEnvironment.h"
#include "TreeSnapshot.h"
#include "journal/History.h"
#include "journal/JournalLine.h"
#include "journal/JournalRecordText.h"
#include "journal/RunJournal.h"
#include "journal/Undo.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"

#include <QTest>

#include <atomic>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr uid_t kNobody = 65534;

FileIdentity identityAt(const QByteArray& path) {
    FileIdentity identity;
    if (!LookUpIdentity(path, identity)) {
        qFatal("cannot look up %s", path.constData());
    }
    return identity;
}

// One copy step of a journal written by hand: what a forged or damaged journal can claim.
struct ForgedCopy {
    QByteArray source;
    QByteArray target;
    std::optional<KeptFile> kept;
};

} // namespace

// Undo against planted journals, forged records and a folder swapped for a link while it works: it believes only the
// user's own journals, acts only below the run's output folder, never through a link, and never sets a setuid bit.
class TestUndoSafety : public QObject {
    Q_OBJECT
private:
    std::optional<JournalTestHome> m_home;
    QByteArray root() const { return m_home->root(); }
    JournalFolder journals() const { return m_home->journals(); }

    // A journaled copy of work/in/a.txt into work/out/; its id.
    QByteArray copyRun() {
        const QByteArray source = root() + "/work/in/a.txt";
        const QByteArray target = root() + "/work/out/a.txt";
        MakeFolder(root() + "/work");
        MakeFolder(root() + "/work/in");
        MakeFolder(root() + "/work/out");
        MakeFile(source, "a");
        RunHeader header = TestRunHeader(false);
        header.outputFolder = root() + "/work/out/";
        std::unique_ptr<RunJournal> journal = *RunJournal::start(journals(), header);
        const int step = journal->intent(Transfer::Copy, NameUse::Free, source, target);
        MakeFile(target, "a");
        journal->done(step);
        (void)journal->finish({});
        return journal->id();
    }

    // Writes a journal of version, with the output folder out (none in version 1), holding copies; its id.
    QByteArray forgedJournal(int version, const QByteArray& out, const QList<ForgedCopy>& copies) {
        RunHeader header = TestRunHeader(false);
        header.outputFolder = out;
        header.startNs = 1;
        QByteArray text = JournalLineWriter(kJournalHeaderType).number("version", version).line() + RunRecord(header);
        int number = 0;
        for (const ForgedCopy& copy : copies) {
            JournalStep step;
            step.number = ++number;
            step.nameUse = copy.kept ? NameUse::Replace : NameUse::Free;
            step.source = copy.source;
            step.target = copy.target;
            step.before = identityAt(copy.source);
            text += IntentRecord(step);
            if (copy.kept) {
                text += KeptRecord(step.number, *copy.kept);
            }
            text += DoneRecord(step.number, identityAt(copy.target));
        }
        text += EndRecord({});
        const QByteArray id = "20240101T000000.000Z-" + QByteArray::number(version);
        (void)journals().prepare();
        WriteTestFile(QFile::decodeName(journals().journalPath(id)), text);
        SetMode(journals().journalPath(id), 0600);
        return id;
    }

private slots:
    void init() { m_home.emplace(); }
    void cleanup() { m_home.reset(); }

    // A journal, or a folder that holds journals or kept files, that is not the user's own or that others may
    // write is refused, naming it, and nothing is touched; a run does not journal into such a folder either.
    void untrustedJournalsAreRefused_data() {
        QTest::addColumn<QString>("spoil");
        QTest::addColumn<QString>("named"); // below the test's home
        QTest::addColumn<int>("why");
        QTest::addColumn<bool>("needsRoot");
        const int notOwned = int(Distrust::Why::NotOwned), open = int(Distrust::Why::OpenToOthers),
                  kind = int(Distrust::Why::WrongKind);
        QTest::newRow("state folder writable by all") << u"state 777"_s << u"state/Varnoth"_s << open << false;
        QTest::newRow("runs folder writable by all") << u"runs 777"_s << u"state/Varnoth/runs"_s << open << false;
        QTest::newRow("journal writable by its group") << u"journal 660"_s << u"journal"_s << open << false;
        QTest::newRow("journal is a link") << u"journal link"_s << u"journal"_s << kind << false;
        QTest::newRow("kept files' folder writable by all") << u"kept 777"_s << u"kept"_s << open << false;
        QTest::newRow("runs folder of another user") << u"runs nobody"_s << u"state/Varnoth/runs"_s << notOwned << true;
        QTest::newRow("journal of another user") << u"journal nobody"_s << u"journal"_s << notOwned << true;
        QTest::newRow("journal planted by another user") << u"planted"_s << u"state/Varnoth/runs"_s << open << true;
    }
    void untrustedJournalsAreRefused() {
        QFETCH(QString, spoil);
        QFETCH(QString, named);
        QFETCH(int, why);
        QFETCH(bool, needsRoot);
        if (needsRoot && !RunningAsRoot()) {
            QSKIP("playing another user needs root");
        }
        QByteArray id = copyRun();
        const QByteArray runs = journals().path();
        const QByteArray journal = journals().journalPath(id);
        if (spoil == u"state 777"_s) {
            SetMode(root() + "/state/Varnoth", 0777);
        } else if (spoil == u"runs 777"_s) {
            SetMode(runs, 0777);
        } else if (spoil == u"journal 660"_s) {
            SetMode(journal, 0660);
        } else if (spoil == u"journal link"_s) {
            QCOMPARE(::rename(journal.constData(), (runs + "/elsewhere").constData()), 0);
            MakeLink("elsewhere", journal);
        } else if (spoil == u"kept 777"_s) {
            MakeFolder(journals().keptFolder(id), 0777);
            SetMode(journals().keptFolder(id), 0777);
        } else if (spoil == u"runs nobody"_s) {
            QCOMPARE(::chown(runs.constData(), kNobody, kNobody), 0);
        } else if (spoil == u"journal nobody"_s) {
            QCOMPARE(::chown(journal.constData(), kNobody, kNobody), 0);
        } else {
            // Another user who could write the runs folder plants a journal that claims the victim's file as a
            // copy the run made.
            SetMode(runs, 0777);
            SetMode(root(), 0755);
            SetMode(root() + "/state", 0755);
            SetMode(root() + "/state/Varnoth", 0755);
            const QByteArray text = ReadTestFile(QFile::decodeName(journal));
            const pid_t child = ::fork();
            if (child == 0) {
                const bool dropped = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
                const int file = dropped ? ::open((runs + "/20990101T000000.000Z-1.journal").constData(),
                                                  O_WRONLY | O_CREAT | O_EXCL, 0600)
                                         : -1;
                ::_exit(file >= 0 && ::write(file, text.constData(), size_t(text.size())) == text.size() ? 0 : 1);
            }
            int status = 0;
            QVERIFY(::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0);
            id = "20990101T000000.000Z-1";
            QCOMPARE(LastRunToUndo(journals())->id, id);
        }
        const UndoResult result = UndoRun(journals(), id);
        QCOMPARE(result.status, UndoResult::Status::Untrusted);
        const QByteArray expected = named == u"journal"_s ? journal
                                    : named == u"kept"_s  ? journals().keptFolder(id)
                                                          : root() + '/' + named.toUtf8();
        QCOMPARE(result.distrust->path, expected);
        QCOMPARE(int(result.distrust->why), why);
        QCOMPARE(ReadTestFile(QFile::decodeName(root() + "/work/out/a.txt")), QByteArray("a"));
        QCOMPARE(LookAheadAtUndo(journals(), id).status, UndoResult::Status::Untrusted);
        if (named != u"journal"_s && named != u"kept"_s) {
            QCOMPARE(journals().prepare(), (Fs::Error{Fs::Operation::CreateTemporary, EPERM}));
        }
    }

    // A journal confines undo to its output folder (one of the first version, to the deepest folder that holds
    // its targets): a record naming a file elsewhere, or a kept file outside a trash, is left and reported, and the
    // rest of the run is undone. A trash record that is not the user's regular file stays, reported.
    void forgedRecordsTouchNothingOutside_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("forgery");
        QTest::addColumn<QByteArrayList>("reasons");
        QTest::newRow("target outside the output folder") << 2 << u"outside"_s << QByteArrayList{"outside"};
        QTest::newRow("target through ..") << 2 << u"dotdot"_s << QByteArrayList{"outside"};
        QTest::newRow("version 1: target through ..") << 1 << u"dotdot"_s << QByteArrayList{"outside"};
        QTest::newRow("trash record naming another file") << 2 << u"info elsewhere"_s << QByteArrayList{"outside"};
        QTest::newRow("kept file outside any trash") << 2 << u"kept elsewhere"_s << QByteArrayList{"outside"};
        QTest::newRow("trash record a link to another file")
            << 2 << u"info link"_s << QByteArrayList{"trash-info-left"};
    }
    void forgedRecordsTouchNothingOutside() {
        QFETCH(int, version);
        QFETCH(QString, forgery);
        QFETCH(QByteArrayList, reasons);
        const QByteArray work = root() + "/work";
        const QByteArray trash = root() + "/data/Trash";
        for (const QByteArray& folder : {work, work + "/in", work + "/out", work + "/out/k", work + "/victim",
                                         root() + "/data", trash, trash + "/files", trash + "/info"}) {
            MakeFolder(folder, 0700);
        }
        MakeFile(work + "/in/a.txt", "a");
        MakeFile(work + "/out/k/a.txt", "a"); // the run's honest copy
        MakeFile(work + "/in/b.txt", "b");
        MakeFile(work + "/victim/secret", "the victim's");
        SetMode(work + "/victim/secret", 0600);
        QList<ForgedCopy> copies{{work + "/in/a.txt", work + "/out/k/a.txt", std::nullopt}};
        if (forgery == u"outside"_s) {
            copies.append({work + "/in/b.txt", work + "/victim/secret", std::nullopt});
        } else if (forgery == u"dotdot"_s) {
            copies.append({work + "/in/b.txt", work + "/out/k/../../victim/secret", std::nullopt});
        } else {
            MakeFile(work + "/out/k/b.txt", "b");
            MakeFile(trash + "/files/b.txt", "old b");
            KeptFile kept{KeptWhere::Trash, trash + "/files/b.txt", trash + "/info/b.txt.trashinfo",
                          identityAt(trash + "/files/b.txt"), 0644};
            if (forgery == u"info elsewhere"_s) {
                kept.info = work + "/victim/secret";
            } else if (forgery == u"kept elsewhere"_s) {
                kept = {
                    KeptWhere::BesideJournal, work + "/victim/secret", {}, identityAt(work + "/victim/secret"), 0600};
            } else {
                MakeLink(work + "/victim/secret", kept.info);
            }
            copies.append({work + "/in/b.txt", work + "/out/k/b.txt", kept});
        }
        const QByteArray id = forgedJournal(version, version == 1 ? QByteArray() : work + "/out/", copies);
        const TreeSnapshot victim = SnapshotOf(work + "/victim");

        const UndoOutlook outlook = LookAheadAtUndo(journals(), id);
        QCOMPARE(outlook.inferredFolder, version == 1);
        QCOMPARE(outlook.outputFolder, version == 1 ? work + "/out/k" : work + "/out");
        const UndoResult result = UndoRun(journals(), id);
        QCOMPARE(result.status, UndoResult::Status::Done);
        QByteArrayList found;
        for (const UndoItem& item : result.items) {
            found.append(UndoReasonCode(item.reason));
        }
        QCOMPARE(found, reasons);
        QVERIFY2(SnapshotOf(work + "/victim") == victim,
                 DifferencesBetween(victim, SnapshotOf(work + "/victim")).constData());
        QVERIFY(!QFile::exists(QFile::decodeName(work + "/out/k/a.txt"))); // the honest step was undone
    }

    // Undo of a replacement by the same bytes gives back the old permission bits, never a setuid, setgid or sticky
    // bit a record claims.
    void undoNeverSetsSetuidBits() {
        const QByteArray work = root() + "/work";
        MakeFolder(work);
        MakeFolder(work + "/out");
        MakeFile(work + "/a.txt", "same");
        MakeFile(work + "/out/a.txt", "same");
        const KeptFile kept{KeptWhere::NotKept, {}, {}, identityAt(work + "/out/a.txt"), 07777};
        const QByteArray id = forgedJournal(2, work + "/out/", {{work + "/a.txt", work + "/out/a.txt", kept}});
        QVERIFY(UndoRun(journals(), id).items.isEmpty());
        struct stat status {};
        QCOMPARE(::stat((work + "/out/a.txt").constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0777));
    }

    // Another user swaps a folder of a shared output folder with a link to the victim's folder, again and again,
    // while undo takes back the copies in it: nothing outside the output folder changes.
    void aFolderSwappedForALinkLeadsNowhere() {
        const QByteArray work = root() + "/work";
        MakeFolder(work);
        MakeFolder(work + "/in");
        MakeFolder(work + "/out", 0777);
        MakeFolder(work + "/out/sub");
        MakeFolder(work + "/victim");
        MakeLink(work + "/victim", work + "/out/swap");
        RunHeader header = TestRunHeader(false);
        header.outputFolder = work + "/out/";
        std::unique_ptr<RunJournal> journal = *RunJournal::start(journals(), header);
        for (int i = 0; i < 2000; ++i) {
            const QByteArray name = "/f" + QByteArray::number(i);
            MakeFile(work + "/in" + name, "copy");
            MakeFile(work + "/victim" + name, "the victim's");
            const int step =
                journal->intent(Transfer::Copy, NameUse::Free, work + "/in" + name, work + "/out/sub" + name);
            MakeFile(work + "/out/sub" + name, "copy");
            journal->done(step);
        }
        (void)journal->finish({});
        const QByteArray id = journal->id();
        journal.reset();
        const TreeSnapshot victim = SnapshotOf(work + "/victim");

        std::atomic<bool> stop{false};
        std::thread swapper([&] {
            while (!stop) {
                ::renameat2(AT_FDCWD, (work + "/out/sub").constData(), AT_FDCWD, (work + "/out/swap").constData(),
                            RENAME_EXCHANGE);
            }
        });
        const UndoResult result = UndoRun(journals(), id);
        stop = true;
        swapper.join();
        QCOMPARE(result.status, UndoResult::Status::Done);
        QVERIFY2(SnapshotOf(work + "/victim") == victim,
                 DifferencesBetween(victim, SnapshotOf(work + "/victim")).constData());
    }

    // A second undo of a run while one holds its journal says that an undo is in progress; while the run itself
    // holds it, that the run is still going on.
    void aHeldJournalIsLeftAlone_data() {
        QTest::addColumn<bool>("ended");
        QTest::addColumn<int>("status");
        QTest::newRow("undo in progress") << true << int(UndoResult::Status::Undoing);
        QTest::newRow("run going on") << false << int(UndoResult::Status::Running);
    }
    void aHeldJournalIsLeftAlone() {
        QFETCH(bool, ended);
        QFETCH(int, status);
        std::unique_ptr<RunJournal> journal = *RunJournal::start(journals(), TestRunHeader(false));
        if (ended) {
            (void)journal->finish({});
            const QByteArray id = journal->id();
            journal.reset();
            const Fs::Descriptor held = Fs::Open(journals().journalPath(id), O_RDONLY);
            QCOMPARE(::flock(held.get(), LOCK_EX | LOCK_NB), 0);
            QCOMPARE(int(UndoRun(journals(), id).status), status);
        } else {
            QCOMPARE(int(UndoRun(journals(), journal->id()).status), status);
        }
    }
};

QTEST_GUILESS_MAIN(TestUndoSafety)
#include "test_undo_safety.moc"

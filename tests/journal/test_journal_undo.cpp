#include "JournalRunDriver.h"
#include "JournalTestEnvironment.h"
#include "TreeSnapshot.h"
#include "core/FsFileCopy.h"
#include "core/FsRegularFile.h"
#include "journal/History.h"
#include "journal/JournalCodes.h"
#include "journal/JournalReader.h"
#include "journal/RunJournal.h"
#include "journal/Undo.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"

#include <QCoreApplication>
#include <QSet>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Undo of journaled runs: random runs taken back byte for byte, files changed after a run left alone, and the
// places replaced files are kept in.
class TestJournalUndo : public QObject {
    Q_OBJECT
private:
    JournalTestHome m_home;
    QByteArray m_second = MountSecondFileSystem();

    static QByteArray itemsText(const UndoResult& result) {
        QByteArray text;
        for (const UndoItem& item : result.items) {
            text += item.path + " <" + UndoReasonCode(item.reason) + "> " + item.otherPath + '\n';
        }
        return text;
    }

    // A journal of one step run by work, finished; its id.
    QByteArray journaled(bool move, const std::function<void(RunJournal&)>& work) {
        std::unique_ptr<RunJournal> journal = *RunJournal::start(m_home.journals(), TestRunHeader(move));
        work(*journal);
        (void)journal->finish({});
        return journal->id();
    }

    static QByteArrayList trashEntries(const QByteArray& trash) {
        QByteArrayList entries;
        for (const QString& name : EntriesOf(QFile::decodeName(trash + "/files"))) {
            entries.append(QFile::encodeName(name));
        }
        return entries;
    }

    QSet<QByteArray> m_kindsSeen;

    void noteKindsOfSteps(const QByteArray& id) {
        const Fs::Descriptor file = Fs::Open(m_home.journals().journalPath(id), O_RDONLY);
        for (const JournalStep& step : ReadJournal(file.get()).steps) {
            const bool renamed = step.written && step.written->inode == step.before.inode;
            m_kindsSeen.insert(step.isFolder ? QByteArray("folder")
                               : step.transfer == Transfer::Copy
                                   ? QByteArray(PlacementCode(step.transfer, step.nameUse))
                               : renamed ? QByteArray("move by rename")
                                         : QByteArray("move across file systems"));
            m_kindsSeen.insert(step.kept ? "kept " + QByteArray(EntryOf(kKeptWhereCodes, step.kept->where).code) : "");
        }
    }

private slots:
    void initTestCase() {
        if (m_second.isEmpty()) {
            qWarning("no second file system here: moves across file systems are not covered");
        }
    }

    // After a random run and its undo, every tree it touched is as before: names, bytes, permission bits and
    // modification times; the trash holds nothing more, and the run shows as undone.
    void undoRestoresTheWholeTree_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("move");
        for (quint32 seed = 1; seed <= 12; ++seed) {
            QTest::addRow("copy %u", seed) << seed << false;
            QTest::addRow("move %u", seed) << seed << true;
        }
    }
    void undoRestoresTheWholeTree() {
        QFETCH(quint32, seed);
        QFETCH(bool, move);
        QTemporaryDir work;
        const QByteArray root = QFile::encodeName(work.path());
        const QByteArray other = m_second.isEmpty() ? QByteArray() : m_second + "/run-" + QTest::currentDataTag();
        const DrivenTree tree{root + "/src", root + "/out", other};
        const QByteArrayList list = MakeDrivenTree(tree, seed);
        const TreeSnapshot before = SnapshotOf(root);
        const TreeSnapshot otherBefore = SnapshotOf(other);
        const QByteArrayList trashBefore = trashEntries(m_home.trash());

        const QByteArray id = journaled(move, [&](RunJournal& journal) { DriveRun(journal, tree, list, seed, move); });
        noteKindsOfSteps(id);
        QVERIFY(SnapshotOf(root) != before);
        QCOMPARE(ReadRunSummary(m_home.journals(), id).value().state, RunState::Complete);

        const UndoResult result = UndoRun(m_home.journals(), id);
        QCOMPARE(result.status, UndoResult::Status::Done);
        QVERIFY2(result.items.isEmpty(), itemsText(result).constData());
        QVERIFY2(SnapshotOf(root) == before, DifferencesBetween(before, SnapshotOf(root)).constData());
        QVERIFY2(SnapshotOf(other) == otherBefore, DifferencesBetween(otherBefore, SnapshotOf(other)).constData());
        QCOMPARE(trashEntries(m_home.trash()), trashBefore);
        QCOMPARE(ReadRunSummary(m_home.journals(), id).value().state, RunState::Undone);

        // Undoing it again finds nothing left to do.
        const UndoResult again = UndoRun(m_home.journals(), id);
        QCOMPARE(again.undone, 0);
        QVERIFY(again.items.isEmpty());
        RemoveTree(other);
        RemoveTree(root); // names that are not valid UTF-8 are beyond QTemporaryDir
    }

    // The random runs made every kind of step.
    void theRunsCoveredEveryKindOfStep() {
        QSet<QByteArray> expected{"copy",   "number",     "replace",       "move by rename",
                                  "folder", "kept trash", "kept identical"};
        if (!m_second.isEmpty()) {
            expected.insert("move across file systems");
        }
        QVERIFY2(m_kindsSeen.contains(expected), QByteArrayList(m_kindsSeen.cbegin(), m_kindsSeen.cend()).join(", "));
    }

    // A file changed after the run is left as it is, and the undo says why; the rest of the run is undone.
    void changedFilesAreLeftAlone_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("undone");  // files: the copy of b.txt, and the move when it can be taken back
        QTest::addColumn<int>("folders"); // the folder, when nothing is left in it
        QTest::newRow("copy rewritten") << u"rewrite"_s << u"changed"_s << 1 << 0;
        QTest::newRow("copy renamed away") << u"rename"_s << u"gone"_s << 1 << 1;
        QTest::newRow("source taken again") << u"source"_s << u"source-taken"_s << 1 << 0;
        QTest::newRow("trash emptied") << u"trash"_s << u"kept-missing"_s << 1 << 0;
        QTest::newRow("made folder now used") << u"folder"_s << u"folder-not-empty"_s << 2 << 0;
    }
    void changedFilesAreLeftAlone() {
        QFETCH(QString, change);
        QFETCH(QString, reason);
        QFETCH(int, undone);
        QFETCH(int, folders);
        QTemporaryDir work;
        const QByteArray root = QFile::encodeName(work.path());
        const QByteArray source = root + "/a.txt";
        const QByteArray folder = root + "/new";
        const QByteArray target = folder + "/a.txt";
        MakeFile(source, "source");
        MakeFile(root + "/b.txt", "second");
        MakeFolder(folder);
        MakeFile(target, "old");
        KeepResult kept;
        const QByteArray id = journaled(true, [&](RunJournal& journal) {
            journal.folderMade(folder); // as if the run had made it
            const int step = journal.intent(Transfer::Move, NameUse::Replace, source, target);
            kept = KeepReplaced(journal, step, target, source);
            QCOMPARE(::rename(source.constData(), target.constData()), 0);
            journal.done(step);
            const int second = journal.intent(Transfer::Copy, NameUse::Free, root + "/b.txt", folder + "/b.txt");
            QVERIFY(!Fs::CopyRegularFile(root + "/b.txt", folder + "/b.txt", {}).failed());
            journal.done(second);
        });
        QCOMPARE(kept.kept.where, KeptWhere::Trash);
        if (change == u"rewrite") {
            MakeFile(target, "rewritten");
        } else if (change == u"rename") {
            QCOMPARE(::rename(target.constData(), (root + "/away").constData()), 0);
        } else if (change == u"source") {
            MakeFile(source, "a new file");
        } else if (change == u"trash") {
            QCOMPARE(::unlink(kept.kept.path.constData()), 0);
        } else {
            MakeFile(folder + "/mine", "mine");
        }
        const TreeSnapshot changed = SnapshotOf(root);
        const UndoResult result = UndoRun(m_home.journals(), id);

        QCOMPARE(result.undone, undone);
        QCOMPARE(result.foldersRemoved, folders);
        QCOMPARE(result.items.size(), 3 - undone - folders); // the folder still holds what the undo left
        QCOMPARE(QString::fromLatin1(UndoReasonCode(result.items.first().reason)), reason);
        TreeSnapshot expected = changed;
        expected.remove("new/b.txt");
        if (change == u"rename") {
            expected.remove("new"); // left empty, so removed
        }
        QVERIFY2(SnapshotOf(root) == expected || change == u"folder",
                 DifferencesBetween(expected, SnapshotOf(root)).constData());
        if (change == u"folder") {
            QCOMPARE(ReadTestFile(QFile::decodeName(source)), QByteArray("source"));
            QCOMPARE(ReadTestFile(QFile::decodeName(target)), QByteArray("old"));
            QCOMPARE(ReadTestFile(QFile::decodeName(folder + "/mine")), QByteArray("mine"));
        }
    }

    // A replacement stopped before it kept the old file never acted, however new the file at its name looks (a file
    // system's clock may run ahead of the run's): the undo leaves it without a word.
    void aReplacementStoppedBeforeKeepingLeavesTheOldFile() {
        QTemporaryDir work;
        const QByteArray root = QFile::encodeName(work.path());
        MakeFile(root + "/a.txt", "incoming");
        std::unique_ptr<RunJournal> journal = *RunJournal::start(m_home.journals(), TestRunHeader(false));
        MakeFile(root + "/old.txt", "the old file, made after the run began");
        journal->intent(Transfer::Copy, NameUse::Replace, root + "/a.txt", root + "/old.txt");
        const QByteArray id = journal->id();
        journal.reset(); // stopped there, as a killed run is
        const TreeSnapshot before = SnapshotOf(root);

        const UndoResult result = UndoRun(m_home.journals(), id);
        QCOMPARE(result.status, UndoResult::Status::Done);
        QVERIFY2(result.items.isEmpty(), itemsText(result).constData());
        QVERIFY(SnapshotOf(root) == before);
    }

    // The trash record holds the file's path percent-encoded and the moment of deletion; the link is the file. A
    // replaced file with the same bytes as its replacement is not kept anywhere.
    void theTrashRecordsWhereTheFileWas_data() {
        QTest::addColumn<QByteArray>("incoming");
        QTest::newRow("other bytes") << QByteArray("new");
        QTest::newRow("same bytes") << QByteArray("old");
    }
    void theTrashRecordsWhereTheFileWas() {
        QFETCH(QByteArray, incoming);
        QTemporaryDir work;
        const QByteArray target = QFile::encodeName(work.path()) + "/na\xffme 1%.txt";
        MakeFile(target, "old");
        MakeFile(target + ".new", incoming);
        const QByteArrayList trashBefore = trashEntries(m_home.trash());
        KeepResult kept;
        journaled(false, [&](RunJournal& journal) {
            const int step = journal.intent(Transfer::Copy, NameUse::Replace, target + ".new", target);
            kept = KeepReplaced(journal, step, target, target + ".new");
        });
        if (incoming == "old") {
            QCOMPARE(kept.kept.where, KeptWhere::NotKept);
            QCOMPARE(trashEntries(m_home.trash()), trashBefore);
            RemoveTree(QFile::encodeName(work.path()));
            return;
        }
        QCOMPARE(kept.kept.where, KeptWhere::Trash);
        struct stat original {
        }, link{};
        QVERIFY(::stat(target.constData(), &original) == 0 && ::stat(kept.kept.path.constData(), &link) == 0);
        QCOMPARE(link.st_ino, original.st_ino);
        QByteArray info;
        QVERIFY(!Fs::ReadRegularFile(kept.kept.info, info).failed());
        QVERIFY2(info.startsWith("[Trash Info]\nPath=" + target.left(target.lastIndexOf('/') + 1) +
                                 "na%FFme%201%25.txt\nDeletionDate=20"),
                 info.constData());
        RemoveTree(QFile::encodeName(work.path()));
    }

    // Where the replaced file is on another file system, its volume's trash takes it; where no trash can, a
    // flushed copy beside the journal does, which keeps the journal from being pruned until undo brings it back.
    void anotherVolumeKeepsItsOwnTrash_data() {
        QTest::addColumn<bool>("trashRefused");
        QTest::newRow("volume trash") << false;
        QTest::newRow("no trash possible") << true;
    }
    void anotherVolumeKeepsItsOwnTrash() {
        QFETCH(bool, trashRefused);
        if (m_second.isEmpty()) {
            QSKIP("no second file system here");
        }
        const QByteArray volumeTrash = m_second + "/.Trash-" + QByteArray::number(::getuid());
        RemoveTree(volumeTrash);
        if (trashRefused) {
            MakeFile(volumeTrash, "not a folder");
        }
        const QByteArray target = m_second + "/kept.txt";
        MakeFile(target, "old");
        MakeFile(target + ".new", "new");
        KeepResult kept;
        const QByteArray id = journaled(false, [&](RunJournal& journal) {
            const int step = journal.intent(Transfer::Copy, NameUse::Replace, target + ".new", target);
            kept = KeepReplaced(journal, step, target, target + ".new");
            QCOMPARE(::rename((target + ".new").constData(), target.constData()), 0);
            journal.done(step);
        });
        QCOMPARE(kept.kept.where, trashRefused ? KeptWhere::BesideJournal : KeptWhere::Trash);
        QVERIFY(kept.kept.path.startsWith(trashRefused ? m_home.journals().keptFolder(id) : volumeTrash + "/files/"));
        QCOMPARE(m_home.journals().holdsKeptFiles(id), trashRefused);
        if (!trashRefused) {
            struct stat status {};
            QVERIFY(::lstat(volumeTrash.constData(), &status) == 0 && (status.st_mode & 07777) == 0700);
            QByteArray info;
            QVERIFY(!Fs::ReadRegularFile(kept.kept.info, info).failed());
            QVERIFY(info.contains("\nPath=kept.txt\n")); // relative to the volume's top
        }

        const UndoResult result = UndoRun(m_home.journals(), id);
        QVERIFY2(result.items.isEmpty(), itemsText(result).constData());
        QCOMPARE(ReadTestFile(QFile::decodeName(target)), QByteArray("old"));
        QVERIFY(!m_home.journals().holdsKeptFiles(id));
        RemoveTree(volumeTrash);
        ::unlink(target.constData());
    }
};

int main(int argc, char** argv) {
    MountSecondFileSystem();
    QCoreApplication application(argc, argv);
    TestJournalUndo test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_journal_undo.moc"

#include "TreeSnapshot.h"
#include "testsupport/CliProcess.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace Qt::StringLiterals;

// Several saved sorts applied in one pass by the real program: the plan, the run and the journal agree on which
// saved sort took each file, and undo brings back every file byte for byte, also after a kill.

namespace {

// Where one listed file went, as the plan, the run or the journal tells it.
struct Fate {
    QByteArray preset; // empty: no saved sort took it
    QByteArray destination;
    friend bool operator==(const Fate&, const Fate&) = default;
};
using Fates = QMap<QByteArray, Fate>; // source -> fate

// The fates of the --json step lines of out (the summary line left out).
Fates fatesOfJson(const QByteArray& out) {
    Fates fates;
    for (const QByteArray& line : out.split('\n')) {
        const QJsonObject step = QJsonDocument::fromJson(line).object();
        if (step.contains(u"source"_s)) {
            fates.insert(
                step.value(u"source"_s).toString().toUtf8(),
                {step.value(u"preset"_s).toString().toUtf8(), step.value(u"destination"_s).toString().toUtf8()});
        }
    }
    return fates;
}

// The value of key in a journal record, percent-decoded.
QByteArray fieldOf(const QByteArray& record, const QByteArray& key) {
    for (const QByteArray& field : record.split(' ')) {
        if (field.startsWith(key + '=')) {
            return QByteArray::fromPercentEncoding(field.sliced(key.size() + 1));
        }
    }
    return {};
}

// The journal files of the runs below home.
QStringList journalsIn(const QString& home) {
    const QDir runs(home + u"/.local/state/Varnoth/runs"_s);
    QStringList found;
    for (const QString& name : runs.entryList({u"*.journal"_s}, QDir::Files, QDir::Name)) {
        found.append(runs.filePath(name));
    }
    return found;
}

// A journal line of body, with its checksum (FNV-1a, 32 bits).
QByteArray withChecksum(const QByteArray& body) {
    quint32 hash = 2166136261U;
    for (const char byte : body) {
        hash = (hash ^ quint8(byte)) * 16777619U;
    }
    return body + " #" + QByteArray::number(hash, 16).rightJustified(8, '0');
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPresetChain : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    QByteArray bytes(const QString& relative) const { return QFile::encodeName(path(relative)); }
    CliResult varnoth(const QByteArrayList& arguments) {
        return RunCli(u"" VARNOTH_PROGRAM ""_s, arguments, m_dir->path(), path(u"home"_s));
    }

    // Three saved sorts: pictures moved to a, other large files moved to b, names with an x copied to c.
    void saveChain() {
        const QList<QByteArrayList> saves{
            {"--save-preset", "pics", "--by-type", "--include", "jpg,png", "--move", "--out", "a"},
            {"--save-preset", "big one", "--larger", "1KB", "--move", "--on-conflict", "number", "--out", "b"},
            {"--save-preset", "kw", "--keywords", "x", "--out", "c"},
        };
        for (const QByteArrayList& save : saves) {
            const CliResult saved = varnoth(QByteArrayList{"sort"} + save);
            QCOMPARE(saved.err, QByteArray());
            QCOMPARE(saved.exitCode, 0);
        }
    }

    // count files of random names, types and sizes in "in"; returns the saved sort each must go with.
    QMap<QByteArray, QByteArray> writeRandomFiles(quint32 seed, int count) {
        QRandomGenerator random(seed);
        const QByteArrayList extensions{"jpg", "png", "doc", "md", "dat"};
        const QByteArray letters = "abx \n\xe6\x96\x87";
        QMap<QByteArray, QByteArray> expected;
        MakeFolder(bytes(u"in"_s));
        for (int i = 0; i < count; ++i) {
            QByteArray stem = "f" + QByteArray::number(i);
            for (int n = int(random.bounded(4)); n > 0; --n) {
                stem += letters.mid(int(random.bounded(3)) == 2 ? 4 : int(random.bounded(4)), 1);
            }
            const QByteArray extension = extensions[int(random.bounded(extensions.size()))];
            const QByteArray name = stem + '.' + extension;
            // Sizes keep away from the 1 KB boundary, so that what counts as larger is plain.
            const int size = random.bounded(2) ? int(random.bounded(0, 500)) : int(random.bounded(2000, 4000));
            QByteArray content(size, '\0');
            for (char& byte : content) {
                byte = char(random.bounded(256));
            }
            const QByteArray source = bytes(u"in"_s) + '/' + name;
            MakeFile(source, content);
            expected.insert(source, extension == "jpg" || extension == "png" ? "pics"
                                    : size > 1024                            ? "big one"
                                    : stem.contains('x')                     ? "kw"
                                                                             : QByteArray());
        }
        return expected;
    }

    QByteArrayList chainArguments() const {
        return {"sort", "--preset", "pics", "--preset", "big one", "--preset", "kw"};
    }

private slots:
    void init() { QVERIFY(m_dir.emplace().isValid()); }
    void cleanup() { RemoveTree(QFile::encodeName(m_dir->path())); }

    // Over random files, the plan equals the run and the journal, each file goes with the first saved sort it
    // passes, and undo brings every file back byte for byte.
    void planEqualsRunAndJournal_data() {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 6; ++seed) {
            QTest::addRow("seed %u", seed) << seed;
        }
    }
    void planEqualsRunAndJournal() {
        QFETCH(quint32, seed);
        saveChain();
        const QMap<QByteArray, QByteArray> expected = writeRandomFiles(seed, 60);
        const TreeSnapshot before = SnapshotOf(bytes(u"in"_s));

        const CliResult plan = varnoth(chainArguments() + QByteArrayList{"--dry-run", "--json", "in"});
        QCOMPARE(plan.err, QByteArray());
        const Fates planned = fatesOfJson(plan.out);
        QCOMPARE(planned.size(), expected.size());
        for (auto file = expected.cbegin(); file != expected.cend(); ++file) {
            QVERIFY2(planned.value(file.key()).preset == file.value(), file.key().constData());
        }
        QCOMPARE(SnapshotOf(bytes(u"in"_s)), before);

        const CliResult run = varnoth(chainArguments() + QByteArrayList{"--json", "in"});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(fatesOfJson(run.out), planned);

        const QStringList journals = journalsIn(path(u"home"_s));
        QCOMPARE(journals.size(), 1);
        const QByteArray journal = readAll(journals.first());
        Fates journaled;
        QByteArrayList presetRecords;
        for (const QByteArray& record : journal.split('\n')) {
            if (record.startsWith("intent ")) {
                journaled.insert(fieldOf(record, "source"), {fieldOf(record, "preset"), fieldOf(record, "target")});
            } else if (record.startsWith("preset ")) {
                presetRecords.append(fieldOf(record, "name") + ' ' + fieldOf(record, "mode") + ' ' +
                                     fieldOf(record, "out"));
            }
        }
        QCOMPARE(presetRecords, (QByteArrayList{"pics move " + bytes(u"a/"_s), "big one move " + bytes(u"b/"_s),
                                                "kw copy " + bytes(u"c/"_s)}));
        Fates placed = planned;
        placed.removeIf([](const auto& fate) { return fate.value().preset.isEmpty(); });
        QCOMPARE(journaled, placed);

        const CliResult undo = varnoth({"undo"});
        QCOMPARE(undo.err, QByteArray());
        QCOMPARE(undo.exitCode, 0);
        const TreeSnapshot after = SnapshotOf(bytes(u"in"_s));
        QVERIFY2(after == before, DifferencesBetween(before, after).constData());
        for (const QString& out : {u"a"_s, u"b"_s, u"c"_s}) {
            QVERIFY2(!QFileInfo::exists(path(out)) || EntriesOf(path(out)).isEmpty(), qPrintable(out));
        }
    }

    // A chained move killed while it runs is undone to the tree as it was.
    void killedChainIsUndone_data() {
        QTest::addColumn<int>("intentsBeforeKill");
        for (const int intents : {1, 40, 400}) {
            QTest::addRow("after %d", intents) << intents;
        }
    }
    void killedChainIsUndone() {
        QFETCH(int, intentsBeforeKill);
        saveChain();
        (void)writeRandomFiles(quint32(intentsBeforeKill), 1500);
        const TreeSnapshot before = SnapshotOf(bytes(u"in"_s));
        BackgroundCli run(u"" VARNOTH_PROGRAM ""_s, chainArguments() + QByteArrayList{"in"}, m_dir->path(),
                          path(u"home"_s), path(u"run"_s));
        for (int wait = 0; wait < 20000; ++wait) {
            const QStringList journals = journalsIn(path(u"home"_s));
            if (!journals.isEmpty() && readAll(journals.first()).count("\nintent ") >= intentsBeforeKill) {
                break;
            }
            QThread::usleep(200);
        }
        run.sendSignal(SIGKILL);
        (void)run.waitForExit();

        // A kill between making a folder and writing its record leaves that folder unknown to the journal: undo
        // keeps it, and so keeps the output folder around it, and says so. No file may be left behind there.
        const CliResult undo = varnoth({"undo"});
        for (const QByteArray& line : undo.err.split('\n')) {
            QVERIFY2(line.isEmpty() || line.endsWith(": the folder is not empty"), line.constData());
        }
        const TreeSnapshot after = SnapshotOf(bytes(u"in"_s));
        QVERIFY2(after == before, DifferencesBetween(before, after).constData());
        for (const QString& out : {u"a"_s, u"b"_s, u"c"_s}) {
            QDirIterator files(path(out), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
            QVERIFY2(!files.hasNext(), qPrintable(files.hasNext() ? files.next() : QString()));
        }
    }

    // A step whose target lies outside the output folder of the saved sort its record names is left; the rest of
    // the run is undone.
    void undoKeepsEachStepInItsSavedSortsFolder() {
        saveChain();
        MakeFolder(bytes(u"in"_s));
        MakeFile(bytes(u"in/p.jpg"_s), "picture");
        MakeFile(bytes(u"in/q.jpg"_s), "other picture");
        QCOMPARE(varnoth(chainArguments() + QByteArrayList{"in"}).exitCode, 0);
        const QString journalPath = journalsIn(path(u"home"_s)).value(0);
        QByteArrayList records = readAll(journalPath).split('\n');
        bool rewritten = false;
        for (QByteArray& record : records) {
            if (record.startsWith("intent ") && fieldOf(record, "source").endsWith("/p.jpg")) {
                const QByteArray body = record.first(record.lastIndexOf(" #"));
                QCOMPARE(withChecksum(body), record);
                record = withChecksum(QByteArray(body).replace(" preset=pics", " preset=kw"));
                rewritten = true;
            }
        }
        QVERIFY(rewritten);
        QFile journal(journalPath);
        QVERIFY(journal.open(QIODevice::WriteOnly | QIODevice::Truncate));
        journal.write(records.join('\n'));
        journal.close();

        const CliResult undo = varnoth({"undo"});
        QCOMPARE(undo.exitCode, 1);
        QVERIFY2(undo.err.contains(bytes(u"a/.jpg/p.jpg"_s)), undo.err.constData());
        QCOMPARE(ReadTestFile(path(u"a/.jpg/p.jpg"_s)), QByteArray("picture"));
        QVERIFY(!QFileInfo::exists(path(u"in/p.jpg"_s)));
        QCOMPARE(ReadTestFile(path(u"in/q.jpg"_s)), QByteArray("other picture"));
    }

    // A chain takes the placing options over every saved sort, and refuses what would change one's criterion.
    void chainOptions() {
        saveChain();
        const CliResult criterion = varnoth(chainArguments() + QByteArrayList{"--by-type", "in"});
        QCOMPARE(criterion.exitCode, 2);
        QVERIFY2(criterion.err.contains("--by-type: not with more than one --preset"), criterion.err.constData());
        const CliResult twice = varnoth({"sort", "--preset", "kw", "--preset", "kw", "in"});
        QCOMPARE(twice.exitCode, 2);
        const CliResult unknown = varnoth({"sort", "--preset", "kw", "--preset", "nope", "in"});
        QCOMPARE(unknown.exitCode, 2);

        MakeFolder(bytes(u"in"_s));
        MakeFile(bytes(u"in/x.jpg"_s));
        MakeFile(bytes(u"in/x.md"_s));
        const CliResult planned = varnoth(chainArguments() + QByteArrayList{"--out", "o", "--dry-run", "in"});
        QCOMPARE(planned.exitCode, 0);
        // The text plan names the saved sort in a fifth field; --out applies to every saved sort.
        QVERIFY2(planned.out.contains("move\t" + bytes(u"in/x.jpg"_s) + '\t' + bytes(u"o/.jpg/x.jpg"_s) + "\t\tpics\n"),
                 planned.out.constData());
        QVERIFY2(planned.out.contains("copy\t" + bytes(u"in/x.md"_s) + '\t' + bytes(u"o/x/x.md"_s) + "\t\tkw\n"),
                 planned.out.constData());
    }
};

QTEST_GUILESS_MAIN(TestPresetChain)
#include "test_preset_chain.moc"

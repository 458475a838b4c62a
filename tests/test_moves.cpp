#include "core/FsFileCopy.h"
#include "core/FsSourceCheck.h"
#include "engine/SortRun.h"
#include "engine/placement/MoveBatch.h"
#include "testsupport/ActAfterChunk.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/FsErrorOutput.h"
#include "testsupport/LabelledContent.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TmpfsMount.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using Fs::Operation;

namespace {
struct stat statusOf(const QByteArray& path) {
    struct stat status {};
    ::lstat(path.constData(), &status);
    return status;
}
} // namespace

Q_DECLARE_METATYPE(Fs::Error)

// Moves that copy: the source is deleted only once its copy is flushed, and only while it is still the file that
// was copied.
class TestMoves : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray at(const QByteArray& name) const { return QFile::encodeName(m_dir->path()) + '/' + name; }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    // A copy whose source was written to while it was read never takes its name; a source changed later, or
    // replaced by another file under its name, is kept when the move comes to delete it.
    void aSourceChangedDuringItsCopyIsKept_data() {
        QTest::addColumn<bool>("listedByLink");
        QTest::addColumn<QByteArray>("change");   // what happens to the source
        QTest::addColumn<bool>("duringCopy");     // after the copy's first chunk, else once the copy is made
        QTest::addColumn<Fs::Error>("copyError"); // of the copy
        QTest::addColumn<Fs::Error>("error");     // of the deletion after a copy that was made
        const Fs::Error changed{Operation::VerifySource, ESTALE};
        const Fs::Error elsewhere{Operation::VerifySource, EEXIST};
        QTest::newRow("unchanged") << false << QByteArray() << true << Fs::Error() << Fs::Error();
        QTest::newRow("saved anew during the copy: a new file renamed over the name")
            << false << QByteArray("rename") << true << Fs::Error() << elsewhere;
        QTest::newRow("saved anew after the copy")
            << false << QByteArray("rename") << false << Fs::Error() << elsewhere;
        QTest::newRow("appended to during the copy") << false << QByteArray("append") << true << changed << Fs::Error();
        QTest::newRow("appended to after the copy") << false << QByteArray("append") << false << Fs::Error() << changed;
        QTest::newRow("listed by a link, unchanged: the link goes")
            << true << QByteArray() << true << Fs::Error() << Fs::Error();
        QTest::newRow("listed by a link that was replaced by one to the same file")
            << true << QByteArray("relink") << true << Fs::Error() << changed;
        QTest::newRow("listed by a link that leads to another file now")
            << true << QByteArray("rename") << true << Fs::Error() << elsewhere;
    }
    void aSourceChangedDuringItsCopyIsKept() {
        QFETCH(bool, listedByLink);
        QFETCH(QByteArray, change);
        QFETCH(bool, duringCopy);
        QFETCH(Fs::Error, copyError);
        QFETCH(Fs::Error, error);
        const QByteArray content = LabelledContent("old", 3 << 20);
        MakeFile(at("thesis.doc"), content);
        MakeFolder(at("out"));
        const QByteArray entry = listedByLink ? at("link.doc") : at("thesis.doc");
        if (listedByLink) {
            MakeLink("thesis.doc", entry);
        }
        const auto act = [&] {
            if (change == "rename") {
                MakeFile(at("new.doc"), "new version");
                QVERIFY(::rename(at("new.doc"), at("thesis.doc")) == 0);
            } else if (change == "append") {
                QFile file(QFile::decodeName(at("thesis.doc")));
                QVERIFY(file.open(QIODevice::Append) && file.write("more") == 4);
            } else if (change == "relink") {
                QVERIFY(::unlink(entry) == 0);
                MakeLink(at("thesis.doc"), entry);
            }
        };
        ActAfterChunk hooks;
        if (duringCopy) {
            hooks.act = act;
        }
        const struct stat link = statusOf(entry);
        Fs::CopyRecord copy;
        QCOMPARE(Fs::CopyRegularFile(entry, at("out/thesis.doc"), {.hooks = &hooks}, &copy), copyError);
        if (copyError.failed()) {
            QCOMPARE(EntriesOf(QFile::decodeName(at("out"))), QStringList()); // nothing left behind
            return;
        }
        QCOMPARE(ReadTestFile(QFile::decodeName(at("out/thesis.doc"))), content);
        if (!duringCopy) {
            act();
        }

        const Fs::SourceRecord record{copy.source, listedByLink ? std::optional(link) : std::nullopt};
        QCOMPARE(Fs::DeleteUnchangedSource(entry, record), error);
        QCOMPARE(::access(entry, F_OK) == 0, error.failed());
        QVERIFY(::access(at("thesis.doc"), F_OK) == 0 || !listedByLink); // a link's file is never deleted
        if (change == "rename") {
            QCOMPARE(ReadTestFile(QFile::decodeName(at("thesis.doc"))), QByteArray("new version"));
        }
    }

    // The batch's copies are flushed before any of its sources is deleted; a failed flush keeps them all.
    void aBatchDeletesSourcesOnlyAfterItsFlush_data() {
        QTest::addColumn<bool>("flushFails");
        QTest::newRow("flushed") << false;
        QTest::newRow("the flush fails") << true;
    }
    void aBatchDeletesSourcesOnlyAfterItsFlush() {
        QFETCH(bool, flushFails);
        const QByteArrayList names = {"a", "b", "c"};
        int flushes = 0;
        bool bothPlacesAtFlush = true;
        MoveBatch batch([&](int) -> Fs::Error {
            ++flushes;
            for (const QByteArray& name : names) {
                bothPlacesAtFlush &= ::access(at("src/" + name), F_OK) == 0 && ::access(at("out/" + name), F_OK) == 0;
            }
            return flushFails ? Fs::Error{Operation::WriteTemporary, EIO} : Fs::Error();
        });
        MakeFolder(at("src"));
        MakeFolder(at("out"));
        for (const QByteArray& name : names) {
            MakeFile(at("src/" + name), name);
            Fs::CopyRecord copy;
            QCOMPARE(Fs::CopyRegularFile(at("src/" + name), at("out/" + name), {}, &copy), Fs::Error());
            batch.add({at("src/" + name), {copy.source, std::nullopt}, {}}, at("out/" + name));
        }
        const QList<MoveBatch::Move> settled = batch.settle();
        QCOMPARE(flushes, 1);
        QVERIFY(bothPlacesAtFlush);
        QCOMPARE(settled.size(), names.size());
        for (const MoveBatch::Move& move : settled) {
            QCOMPARE(move.failure, (flushFails ? Fs::Error{Operation::WriteTemporary, EIO} : Fs::Error()));
            QCOMPARE(::access(move.source, F_OK) == 0, flushFails);
        }
    }

    // Across file systems nothing is lost, however the batch ends: a full disk part-way, or a stop.
    void aMoveAcrossFileSystemsLosesNothing_data() {
        QTest::addColumn<qint64>("diskBytes");
        QTest::addColumn<bool>("stopAfterFirst");
        QTest::newRow("the disk fills mid-batch") << (qint64(1) << 20) << false;
        QTest::newRow("stopped after the first file") << (qint64(16) << 20) << true;
    }
    void aMoveAcrossFileSystemsLosesNothing() {
        QFETCH(qint64, diskBytes);
        QFETCH(bool, stopAfterFirst);
        MakeFolder(at("src"));
        MakeFolder(at("out"));
        const TmpfsMount otherDisk(at("out"), diskBytes);
        if (!otherDisk.mounted()) {
            QSKIP(qPrintable(otherDisk.reason()));
        }
        FakeRunHost host;
        for (int i = 0; i < 12; ++i) {
            host.files.append(at("src/游记" + QByteArray::number(i)));
            MakeFile(host.files.last(), LabelledContent(QByteArray::number(i), 200000));
        }
        host.inputs.outputFolder = QFile::decodeName(at("out"));
        host.inputs.keywords = u"游记"_s;
        host.inputs.move = true;
        host.onProcessEvents = [&] { host.stop = stopAfterFirst; };
        RunSort(host);

        int moved = 0;
        for (int i = 0; i < 12; ++i) {
            const QByteArray name = "游记" + QByteArray::number(i);
            const QByteArray content = LabelledContent(QByteArray::number(i), 200000);
            const bool inSource = ReadTestFile(QFile::decodeName(at("src/" + name))) == content;
            const bool inOutput = ReadTestFile(QFile::decodeName(at("out/游记/" + name))) == content;
            QVERIFY2(inSource != inOutput, name);
            moved += inOutput ? 1 : 0;
        }
        const RunReport& report = host.reports.first();
        QCOMPARE(report.placed, moved);
        QCOMPARE(EntriesOf(QFile::decodeName(at("out/游记"))).size(), moved); // no temporary file left
        QVERIFY(moved > 0 && moved < 12);
        if (stopAfterFirst) {
            QCOMPARE(moved, 1);
            QCOMPARE(report.notReached, 11);
        } else {
            QCOMPARE(report.failed, 12 - moved);
        }
    }
};

QTEST_GUILESS_MAIN(TestMoves)
#include "test_moves.moc"

#include "core/CriterionPage.h"
#include "engine/SortRun.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"

#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 4;
constexpr int kFiles = 30;

// Every regular file below folder by its path below it, with its content; other entries with an empty content.
QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files.insert(it.filePath().sliced(folder.size()), it.fileInfo().isFile() ? ReadTestFile(it.filePath()) : "");
    }
    return files;
}

bool isLink(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISLNK(status.st_mode);
}

// Swaps a folder and a symbolic link with each other as fast as it can while it lives, as another user sharing the
// output folder could; at its end the folder is back at its own name.
class Swapper {
public:
    Swapper(QByteArray folder, QByteArray link) : m_folder(std::move(folder)), m_link(std::move(link)) {
        m_thread = std::thread([this] {
            while (!m_stop) {
                if (::renameat2(AT_FDCWD, m_folder.constData(), AT_FDCWD, m_link.constData(), RENAME_EXCHANGE) == 0) {
                    ++m_swaps;
                }
            }
        });
        // The run starts once the swapping has.
        while (m_swaps == 0) {
            std::this_thread::yield();
        }
    }
    ~Swapper() {
        m_stop = true;
        m_thread.join();
        if (isLink(m_folder)) {
            ::renameat2(AT_FDCWD, m_folder.constData(), AT_FDCWD, m_link.constData(), RENAME_EXCHANGE);
        }
    }
    int swaps() const { return m_swaps; }

private:
    QByteArray m_folder;
    QByteArray m_link;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_swaps{0};
    std::thread m_thread;
};

} // namespace

Q_DECLARE_METATYPE(SameNamePolicy)

// Another user swaps a destination folder of a shared output folder for a symbolic link to a victim's folder, again
// and again, while runs copy and move into it. Whatever the moment, no placement goes through the link: the victim's
// files stay byte for byte as they were and nothing new appears beside them, and each listed file is placed in the
// real folder, left by the policy, or counted as failed with its source kept.
class TestFolderSwap : public QObject {
    Q_OBJECT
private slots:
    void placementsNeverFollowASwappedFolder_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("move");
        QTest::addColumn<SameNamePolicy>("policy");
        QTest::newRow("copy, skip") << int(KeywordPage) << false << SameNamePolicy::Skip;
        QTest::newRow("copy, overwrite") << int(KeywordPage) << false << SameNamePolicy::Overwrite;
        QTest::newRow("copy, auto-number") << int(KeywordPage) << false << SameNamePolicy::Rename;
        QTest::newRow("move, skip") << int(KeywordPage) << true << SameNamePolicy::Skip;
        QTest::newRow("move, overwrite") << int(KeywordPage) << true << SameNamePolicy::Overwrite;
        QTest::newRow("move, auto-number") << int(KeywordPage) << true << SameNamePolicy::Rename;
        QTest::newRow("one folder for the run, move, overwrite") << int(SizePage) << true << SameNamePolicy::Overwrite;
    }
    void placementsNeverFollowASwappedFolder() {
        QFETCH(int, page);
        QFETCH(bool, move);
        QFETCH(SameNamePolicy, policy);
        QTemporaryDir dir;
        const QString sub = u"大于0KB"_s; // the size page's folder for files larger than 0 KB
        const QString out = dir.filePath(u"out"_s);
        const QString victim = dir.filePath(u"victim"_s);
        const QByteArray folder = QFile::encodeName(out + u'/' + sub);
        const QByteArray link = QFile::encodeName(out + u"/swap"_s);
        for (int i = 0; i < kFiles; ++i) {
            const QString name = sub + u'_' + QString::number(i) + u".txt"_s;
            if (i % 3 == 0) {
                WriteTestFile(victim + u'/' + name, "victim's " + QByteArray::number(i));
            }
            if (i % 2 == 0) {
                WriteTestFile(out + u'/' + sub + u'/' + name, "old " + QByteArray::number(i));
            }
        }
        MakeLink(QFile::encodeName(victim), link);
        if (::renameat2(AT_FDCWD, folder.constData(), AT_FDCWD, link.constData(), RENAME_EXCHANGE) != 0) {
            QSKIP(qPrintable(u"the file system cannot exchange two names: "_s + qt_error_string(errno)));
        }
        ::renameat2(AT_FDCWD, folder.constData(), AT_FDCWD, link.constData(), RENAME_EXCHANGE);
        const QMap<QString, QByteArray> victimsFiles = snapshot(victim);

        for (int run = 0; run < kRuns; ++run) {
            FakeRunHost host;
            host.page = page;
            host.keywords = sub;
            host.size = {0, u"大于"_s, u"0"_s, 0, u"KB"_s};
            host.outDir = out;
            host.move = move;
            host.policy = policy;
            const QByteArray tag = QByteArray::number(run) + '-';
            for (int i = 0; i < kFiles; ++i) {
                host.files.append(WriteTestFile(dir.filePath(u"src%1/%2_%3.txt"_s.arg(run).arg(sub).arg(i)),
                                                "new " + tag + QByteArray::number(i)));
            }
            const QMap<QString, QByteArray> before = snapshot(out + u'/' + sub);
            {
                const Swapper swapper(folder, link);
                RunSort(host);
                QVERIFY(swapper.swaps() > 0);
            }

            QCOMPARE(snapshot(victim), victimsFiles);
            QCOMPARE(EntriesOf(out), (QStringList{u"swap"_s, sub}));
            QVERIFY(!isLink(folder));
            const RunReport& report = host.reports.value(0);
            QCOMPARE(report.placed + report.left + report.failed, kFiles);
            // Each placed file is in the real folder once; every other file there is as it was, or replaced whole.
            const QMap<QString, QByteArray> after = snapshot(out + u'/' + sub);
            int placedHere = 0;
            for (auto file = after.cbegin(); file != after.cend(); ++file) {
                if (file.value().startsWith("new " + tag)) {
                    ++placedHere;
                } else if (before.value(file.key()) != file.value()) {
                    QVERIFY2(policy == SameNamePolicy::Overwrite && file.value().startsWith("new "),
                             qPrintable(file.key()));
                }
            }
            QCOMPARE(placedHere, report.placed);
            // No file is lost: a moved file's source goes only when it was placed.
            const QStringList sources = EntriesOf(dir.filePath(u"src%1"_s.arg(run)));
            QCOMPARE(sources.size(), move ? report.left + report.failed : kFiles);
            for (const FailedFile& failed : report.failures) {
                QVERIFY(QFileInfo::exists(QFile::decodeName(failed.path)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestFolderSwap)
#include "test_folder_swap.moc"

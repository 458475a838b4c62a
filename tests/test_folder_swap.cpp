#include "JournalTestEnvironment.h"
#include "TreeSnapshot.h"
#include "core/CriterionPage.h"
#include "core/FsEntries.h"
#include "engine/SortRun.h"
#include "journal/JournalRecorder.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <stdio.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 4;
constexpr int kFiles = 30;
constexpr char kWithoutProc[] = "--without-proc";
constexpr int kCannotHideProc = 77;

// Set in a child that runs with /proc hidden, where a new file cannot be named through it and so takes a hidden
// temporary name in its folder until it is complete.
bool g_procHidden = false;

// Hides /proc from this process behind an empty tmpfs, in a mount namespace of its own. Needs root.
bool hideProc() {
    return ::unshare(CLONE_NEWNS) == 0 && ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("varnoth-test", "/proc", "tmpfs", 0, "size=1m") == 0;
}

// A run's host whose run is journaled, when asked, as the window's and the command line's runs are.
struct SwapRunHost : FakeRunHost {
    bool journaled = false;
    RecordingStart startRecording(const RunDescription& run) override {
        if (!journaled) {
            return {};
        }
        Fs::Result<std::unique_ptr<JournalRecorder>> journal = StartJournal(run);
        return {true, journal.failed() ? nullptr : std::move(*journal)};
    }
};

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
// real folder, left by the policy, or counted as failed with its source kept. This holds for journaled runs, and
// where new files take a hidden temporary name in the folder before their own (no /proc to name unnamed ones).
class TestFolderSwap : public QObject {
    Q_OBJECT
private slots:
    void placementsNeverFollowASwappedFolder_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("move");
        QTest::addColumn<SameNamePolicy>("policy");
        QTest::addColumn<bool>("journaled");
        QTest::addColumn<bool>("withoutProc");
        const auto row = [](const char* name, int page, bool move, SameNamePolicy policy, bool journaled = false,
                            bool withoutProc = false) {
            QTest::newRow(name) << page << move << policy << journaled << withoutProc;
        };
        row("copy, skip", KeywordPage, false, SameNamePolicy::Skip);
        row("copy, overwrite", KeywordPage, false, SameNamePolicy::Overwrite);
        row("copy, auto-number", KeywordPage, false, SameNamePolicy::Rename);
        row("move, skip", KeywordPage, true, SameNamePolicy::Skip);
        row("move, overwrite", KeywordPage, true, SameNamePolicy::Overwrite);
        row("move, auto-number", KeywordPage, true, SameNamePolicy::Rename);
        row("one folder for the run, move, overwrite", SizePage, true, SameNamePolicy::Overwrite);
        row("journaled, copy, overwrite", KeywordPage, false, SameNamePolicy::Overwrite, true);
        row("journaled, move, auto-number", KeywordPage, true, SameNamePolicy::Rename, true);
        row("hidden temporary names, copy, overwrite", KeywordPage, false, SameNamePolicy::Overwrite, false, true);
        row("hidden temporary names, copy, auto-number", KeywordPage, false, SameNamePolicy::Rename, false, true);
    }
    void placementsNeverFollowASwappedFolder() {
        QFETCH(int, page);
        QFETCH(bool, move);
        QFETCH(SameNamePolicy, policy);
        QFETCH(bool, journaled);
        QFETCH(bool, withoutProc);
        if (withoutProc && !g_procHidden) {
            // The same row again in a child without /proc.
            QProcess child;
            // LeakSanitizer, in a sanitised build, cannot work without /proc: the child's leaks are the parent's.
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"ASAN_OPTIONS"_s, environment.value(u"ASAN_OPTIONS"_s) + u":detect_leaks=0"_s);
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(),
                        {QString::fromLatin1(kWithoutProc),
                         u"placementsNeverFollowASwappedFolder:"_s + QString::fromUtf8(QTest::currentDataTag())});
            QVERIFY(child.waitForFinished(60000));
            const QByteArray output = child.readAllStandardOutput() + child.readAllStandardError();
            if (child.exitCode() == kCannotHideProc) {
                QSKIP("/proc cannot be hidden here (needs root)");
            }
            QVERIFY2(child.exitCode() == 0, output.constData());
            return;
        }
        QVERIFY(!g_procHidden || !QFileInfo::exists(u"/proc/self/fd"_s));
        const JournalTestHome home;
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        const QByteArray sub = "大于0KB"; // the size page's folder for files larger than 0 KB
        const QByteArray out = root + "/out";
        const QByteArray victim = root + "/victim";
        const QByteArray folder = out + '/' + sub;
        const QByteArray link = out + "/swap";
        MakeFolder(out);
        MakeFolder(folder);
        MakeFolder(victim);
        for (int i = 0; i < kFiles; ++i) {
            const QByteArray name = sub + '_' + QByteArray::number(i) + ".txt";
            if (i % 3 == 0) {
                MakeFile(victim + '/' + name, "victim's " + QByteArray::number(i));
            }
            if (i % 2 == 0) {
                MakeFile(folder + '/' + name, "old " + QByteArray::number(i));
            }
        }
        MakeLink(victim, link);
        if (::renameat2(AT_FDCWD, folder.constData(), AT_FDCWD, link.constData(), RENAME_EXCHANGE) != 0) {
            QSKIP(qPrintable(u"the file system cannot exchange two names: "_s + qt_error_string(errno)));
        }
        ::renameat2(AT_FDCWD, folder.constData(), AT_FDCWD, link.constData(), RENAME_EXCHANGE);
        const TreeSnapshot victimsFiles = SnapshotOf(victim);

        for (int run = 0; run < kRuns; ++run) {
            SwapRunHost host;
            host.journaled = journaled;
            host.inputs.page = CriterionPage(page);
            host.inputs.keywords = QString::fromUtf8(sub);
            host.inputs.size = {SizeCondition::Larger, u"0"_s, SizeUnit::KB};
            host.inputs.outputFolder = QFile::decodeName(out);
            host.inputs.move = move;
            host.inputs.policy = policy;
            const QByteArray sources = root + "/src" + QByteArray::number(run);
            const QByteArray tag = "new " + QByteArray::number(run) + '-';
            MakeFolder(sources);
            for (int i = 0; i < kFiles; ++i) {
                host.files.append(sources + '/' + sub + '_' + QByteArray::number(i) + ".txt");
                MakeFile(host.files.last(), tag + QByteArray::number(i));
            }
            const TreeSnapshot before = SnapshotOf(folder);
            {
                const Swapper swapper(folder, link);
                RunSort(host);
            }

            const TreeSnapshot victimsNow = SnapshotOf(victim);
            QVERIFY2(victimsNow == victimsFiles, DifferencesBetween(victimsFiles, victimsNow).constData());
            QCOMPARE(EntriesOf(QFile::decodeName(out)), (QStringList{u"swap"_s, QString::fromUtf8(sub)}));
            QVERIFY(!isLink(folder));
            const RunReport& report = host.reports.value(0);
            QCOMPARE(report.placed + report.left + report.failed, kFiles);
            // Each placed file is in the real folder once; every other file there is as it was, or replaced whole.
            const TreeSnapshot after = SnapshotOf(folder);
            int placedHere = 0;
            for (auto file = after.cbegin(); file != after.cend(); ++file) {
                if (file->content.startsWith(tag)) {
                    ++placedHere;
                } else if (!(before.value(file.key()) == *file)) {
                    QVERIFY2(policy == SameNamePolicy::Overwrite && file->content.startsWith("new "),
                             file.key().constData());
                }
            }
            QCOMPARE(placedHere, report.placed);
            // No file is lost: a moved file's source goes only when it was placed.
            QCOMPARE(SnapshotOf(sources).size(), move ? report.left + report.failed : kFiles);
            for (const FailedFile& failed : report.failures) {
                QVERIFY(Fs::ReachesNonFolder(failed.path));
            }
        }
    }
};

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], kWithoutProc) == 0) {
        if (!hideProc()) {
            return kCannotHideProc;
        }
        g_procHidden = true;
        argv[1] = argv[0];
        ++argv;
        --argc;
    }
    QCoreApplication application(argc, argv);
    TestFolderSwap test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_folder_swap.moc"

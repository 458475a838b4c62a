#include "core/CriterionPage.h"
#include "core/FsTemporaryNames.h"
#include "engine/SortPlan.h"
#include "engine/SortRun.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowSortChild.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
const QString kDone = u"分拣工作完成！"_s;

ino_t inodeOf(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

// The number of a process that has ended.
pid_t endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}
} // namespace

Q_DECLARE_METATYPE(OverwriteAnswer)
Q_DECLARE_METATYPE(PlanAction)

// The sort run on the keyword page: its checks, its order, the progress it shows and what it does to files.
class TestSortRun : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* m_dir = nullptr;
    FakeRunHost m_host;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    // Makes source files under src/ and lists them in the host.
    void listFiles(const QStringList& names) {
        for (const QString& name : names) {
            m_host.files.append(WriteTestFile(path(u"src/"_s + name), name.toUtf8()));
        }
    }

private slots:
    void init() {
        m_dir = new QTemporaryDir;
        m_host = FakeRunHost();
        m_host.inputs.outputFolder = path(u"out"_s);
        m_host.inputs.keywords = u"游记"_s;
    }
    void cleanup() { delete m_dir; }

    void anEmptyListIsTheFirstCheck() {
        m_host.inputs.keywords.clear();
        m_host.inputs.filter.include = true;
        m_host.inputs.outputFolder = u"/no/slash"_s;
        RunSort(m_host);
        QCOMPARE(m_host.messages, QStringList{u"没有需要分拣的文件!"_s});
        QCOMPARE(m_host.inputs.outputFolder, u"/no/slash"_s);
        QVERIFY(m_host.locks.isEmpty());
    }

    void includeModeNeedsTypes() {
        listFiles({u"西游记.txt"_s});
        m_host.inputs.filter.include = true;
        m_host.inputs.filter.exclude = false;
        RunSort(m_host);
        QCOMPARE(m_host.messages, QStringList{u"如果选择了只分拣某些文件类型，则类型不应当为空！"_s});
        QCOMPARE(m_host.inputs.outputFolder, path(u"out"_s)); // checked before the output folder is touched
        QVERIFY(!QFileInfo::exists(path(u"out"_s)));
    }

    void includeCheckIsNotMadeOnTheImagePage() {
        listFiles({u"a.jpg"_s});
        m_host.inputs.page = ImagePage;
        m_host.inputs.filter.include = true;
        RunSort(m_host);
        QVERIFY(!m_host.messages.contains(u"如果选择了只分拣某些文件类型，则类型不应当为空！"_s));
    }

    void outputFolderNormalisation_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("no final slash") << u"/tmp/out"_s << u"/tmp/out/"_s;
        QTest::newRow("final slash kept") << u"/tmp/out/"_s << u"/tmp/out/"_s;
        QTest::newRow("empty becomes root") << QString() << u"/"_s;
    }
    void outputFolderNormalisation() {
        // Even when the run then stops at the keyword check, the slash stays added.
        QFETCH(QString, typed);
        QFETCH(QString, normalised);
        listFiles({u"a"_s});
        m_host.inputs.outputFolder = typed;
        m_host.inputs.keywords = u" \t "_s;
        RunSort(m_host);
        QCOMPARE(m_host.inputs.outputFolder, normalised);
        QCOMPARE(m_host.messages, QStringList{u"请输入匹配关键字!"_s});
        QCOMPARE(m_host.inputErrors.first().field, InputField::Keywords);
        QVERIFY(m_host.locks.isEmpty());
    }

    void progressValues_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("excluded");
        QTest::addColumn<QList<int>>("progress");
        QTest::newRow("three files") << QStringList{u"a游记.txt"_s, u"b.txt"_s, u"c.txt"_s} << QStringList()
                                     << QList<int>{0, 33, 66, 100, 0};
        QTest::newRow("last of four filtered") << QStringList{u"a.txt"_s, u"b.txt"_s, u"c.txt"_s, u"d.tmp"_s}
                                               << QStringList{u"*.tmp"_s} << QList<int>{0, 25, 50, 100, 0};
        QTest::newRow("one file") << QStringList{u"a.txt"_s} << QStringList() << QList<int>{0, 100, 0};
        QTest::newRow("all filtered") << QStringList{u"a.tmp"_s, u"b.TMP"_s} << QStringList{u"*.tmp"_s}
                                      << QList<int>{100, 0};
    }
    void progressValues() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, excluded);
        QFETCH(QList<int>, progress);
        listFiles(files);
        m_host.inputs.filter.exclude = !excluded.isEmpty();
        m_host.inputs.filter.typeList = excluded;
        RunSort(m_host);
        QCOMPARE(m_host.progress, progress);
        QCOMPARE(m_host.messages, QStringList{kDone});
        QCOMPARE(m_host.locks, (QList<bool>{true, false}));
    }

    void keywordsPlaceIntoOneFolderEach() {
        listFiles({u"西游记.txt"_s, u"东游记.doc"_s, u"ab.txt"_s, u"report.doc"_s, u".profile"_s, u"xAbCx.txt"_s});
        m_host.inputs.keywords = u" 游记  a b doc "_s;
        RunSort(m_host);
        QCOMPARE(EntriesOf(path(u"out"_s)), (QStringList{u"a"_s, u"b"_s, u"游记"_s}));
        QCOMPARE(EntriesOf(path(u"out/游记"_s)), (QStringList{u"东游记.doc"_s, u"西游记.txt"_s}));
        QCOMPARE(EntriesOf(path(u"out/a"_s)), (QStringList{u"ab.txt"_s, u"xAbCx.txt"_s}));
        QCOMPARE(EntriesOf(path(u"out/b"_s)), (QStringList{u"ab.txt"_s, u"xAbCx.txt"_s}));
        QCOMPARE(ReadTestFile(path(u"out/游记/西游记.txt"_s)), u"西游记.txt"_s.toUtf8());
        QCOMPARE(EntriesOf(path(u"src"_s)).size(), 6); // copy mode leaves the sources
    }

    void theFolderIsNamedAsTheKeywordIsTyped() {
        listFiles({u"Photo2024.JPG"_s});
        m_host.inputs.keywords = u"photo"_s;
        RunSort(m_host);
        QCOMPARE(EntriesOf(path(u"out/photo"_s)), QStringList{u"Photo2024.JPG"_s});
    }

    void repeatedKeywordsMeetTheSameNamePolicy() {
        listFiles({u"xAbCx.txt"_s});
        m_host.inputs.keywords = u"abc abc"_s;
        m_host.inputs.policy = SameNamePolicy::Rename;
        RunSort(m_host);
        QCOMPARE(EntriesOf(path(u"out/abc"_s)), (QStringList{u"xAbCx.txt"_s, u"xAbCx_1.txt"_s}));
    }

    void moveDeletesOnlyAfterTheLastCopySucceeded_data() {
        QTest::addColumn<QString>("alreadyInFolder");
        QTest::addColumn<bool>("sourceStays");
        QTest::newRow("both copies made") << QString() << false;
        QTest::newRow("last copy refused") << u"k2"_s << true;
        QTest::newRow("first copy refused, last made") << u"k1"_s << false;
    }
    void moveDeletesOnlyAfterTheLastCopySucceeded() {
        QFETCH(QString, alreadyInFolder);
        QFETCH(bool, sourceStays);
        listFiles({u"k1k2.txt"_s});
        if (!alreadyInFolder.isEmpty()) {
            WriteTestFile(path(u"out/"_s + alreadyInFolder + u"/k1k2.txt"_s), "existing");
        }
        const ino_t original = inodeOf(path(u"src/k1k2.txt"_s));
        m_host.inputs.keywords = u"k1 k2"_s;
        m_host.inputs.move = true;
        m_host.inputs.policy = SameNamePolicy::Skip;
        RunSort(m_host);
        QCOMPARE(QFileInfo::exists(path(u"src/k1k2.txt"_s)), sourceStays);
        QVERIFY(QFileInfo::exists(path(u"out/k1/k1k2.txt"_s)));
        QVERIFY(QFileInfo::exists(path(u"out/k2/k1k2.txt"_s)));
        // Within one file system the last placement renames the file itself; an earlier one only copies it.
        QVERIFY(inodeOf(path(u"out/k1/k1k2.txt"_s)) != original);
        QCOMPARE(inodeOf(path(u"out/k2/k1k2.txt"_s)) == original, !sourceStays);
        QCOMPARE(m_host.messages, QStringList{kDone}); // a refusal by the policy is no failure
    }

    void moveLeavesUnmatchedAndRefusedFiles() {
        listFiles({u"游记1.txt"_s, u"other.txt"_s, u"游记2.txt"_s});
        WriteTestFile(path(u"out/游记/游记2.txt"_s), "existing");
        m_host.inputs.move = true;
        m_host.inputs.policy = SameNamePolicy::Ask;
        m_host.overwriteAnswer = OverwriteAnswer::No;
        RunSort(m_host);
        QCOMPARE(EntriesOf(path(u"src"_s)), (QStringList{u"other.txt"_s, u"游记2.txt"_s}));
        QCOMPARE(ReadTestFile(path(u"out/游记/游记2.txt"_s)), QByteArray("existing"));
        QCOMPARE(ReadTestFile(path(u"out/游记/游记1.txt"_s)), u"游记1.txt"_s.toUtf8());
        QCOMPARE(m_host.questions.size(), 1);
    }

    void failuresAreCountedInTheCompletionMessage() {
        listFiles({u"游记-gone.txt"_s, u"游记-ok.txt"_s});
        QFile::remove(path(u"src/游记-gone.txt"_s)); // deleted between listing and sorting
        m_host.inputs.move = true;
        RunSort(m_host);
        QCOMPARE(m_host.messages, QStringList{kDone + u"\n有 1 个文件复制或删除失败。"_s});
        QCOMPARE(EntriesOf(path(u"out/游记"_s)), QStringList{u"游记-ok.txt"_s});
    }

    // Every listed file lands in exactly one of the four outcomes, and each failure carries its reason.
    void theReportCountsEachFileOnceWithItsReason() {
        listFiles({u"游记-new.txt"_s, u"other.txt"_s, u"游记-gone.txt"_s, u"游记-locked.txt"_s});
        QFile::remove(path(u"src/游记-gone.txt"_s));
        WriteTestFile(path(u"out/游记/游记-locked.txt"_s), "write-protected");
        QFile::setPermissions(path(u"out/游记/游记-locked.txt"_s), QFile::ReadOwner);
        m_host.files.append(WriteTestFile(path(u"out/游记/游记-self.txt"_s), "lies in its own destination"));
        RunSort(m_host);

        QCOMPARE(m_host.reports.size(), 1);
        const RunReport& report = m_host.reports.first();
        QCOMPARE(report.placed, 1);
        QCOMPARE(report.left, 0);
        QCOMPARE(report.notMatching, 1);
        QCOMPARE(report.failed, 3);
        QList<FailureReason> reasons;
        for (const FailedFile& failure : report.failures) {
            reasons.append(failure.reason);
        }
        QCOMPARE(reasons, (QList<FailureReason>{FailureReason::Vanished, FailureReason::WriteProtected,
                                                FailureReason::SameFile}));
        QCOMPARE(m_host.messages, QStringList{kDone + u"\n有 3 个文件复制或删除失败。"_s});
    }

    // An answer "to all" answers every later question of the run without asking.
    void anAnswerToAllEndsTheQuestions_data() {
        QTest::addColumn<OverwriteAnswer>("answer");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("yes to all") << OverwriteAnswer::YesToAll << QByteArray("new");
        QTest::newRow("no to all") << OverwriteAnswer::NoToAll << QByteArray("existing");
    }
    void anAnswerToAllEndsTheQuestions() {
        QFETCH(OverwriteAnswer, answer);
        QFETCH(QByteArray, content);
        const QStringList names{u"游记1.txt"_s, u"游记2.txt"_s, u"游记3.txt"_s};
        for (const QString& name : names) {
            m_host.files.append(WriteTestFile(path(u"src/"_s + name), "new"));
            WriteTestFile(path(u"out/游记/"_s + name), "existing");
        }
        m_host.inputs.policy = SameNamePolicy::Ask;
        m_host.overwriteAnswer = answer;
        RunSort(m_host);
        QCOMPARE(m_host.questions.size(), 1);
        for (const QString& name : names) {
            QCOMPARE(ReadTestFile(path(u"out/游记/"_s + name)), content);
        }
        const RunReport& report = m_host.reports.first();
        QCOMPARE(report.placed + report.left, 3);
        QCOMPARE(report.left, answer == OverwriteAnswer::NoToAll ? 3 : 0);
    }

    void aKeywordFolderNameHeldByAFile() {
        // The folder cannot be made, so the copy fails and, in move mode, the source stays.
        listFiles({u"游记.txt"_s});
        WriteTestFile(path(u"out/游记"_s), "a file, not a folder");
        m_host.inputs.move = true;
        RunSort(m_host);
        QCOMPARE(ReadTestFile(path(u"out/游记"_s)), QByteArray("a file, not a folder"));
        QCOMPARE(EntriesOf(path(u"src"_s)), QStringList{u"游记.txt"_s});
        QCOMPARE(m_host.messages, QStringList{kDone + u"\n有 1 个文件复制或删除失败。"_s});
    }

    void movingAFileOntoItselfNeverDeletesIt() {
        // The output folder is where the file already lies: the only copy must survive.
        const QByteArray source = WriteTestFile(path(u"out/游记/游记.txt"_s), "only copy");
        m_host.files = {source};
        m_host.inputs.move = true;
        m_host.inputs.policy = SameNamePolicy::Overwrite;
        RunSort(m_host);
        QCOMPARE(ReadTestFile(path(u"out/游记/游记.txt"_s)), QByteArray("only copy"));
        QCOMPARE(m_host.messages, QStringList{kDone + u"\n有 1 个文件复制或删除失败。"_s});
    }

    // A move within one file system is a rename: the very same file, its times and permission bits as they were.
    void aMoveWithinOneFileSystemKeepsTheFile() {
        listFiles({u"游记.txt"_s});
        const QByteArray source = m_host.files.first();
        SetMode(source, 0741);
        const struct timespec times[2] = {{1000000000, 0}, {1234567890, 123}};
        QVERIFY(::utimensat(AT_FDCWD, source.constData(), times, 0) == 0);
        struct stat before {};
        QVERIFY(::stat(source.constData(), &before) == 0);
        m_host.inputs.move = true;
        RunSort(m_host);
        struct stat after {};
        QVERIFY(::stat(QFile::encodeName(path(u"out/游记/游记.txt"_s)).constData(), &after) == 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        QVERIFY(!QFileInfo::exists(path(u"src/游记.txt"_s)));
        QCOMPARE(m_host.messages, QStringList{kDone});
    }

    // Keywords whose folder would not lie below the output folder are passed over; the others still place.
    void keywordsNeverLeadOutOfTheOutputFolder() {
        listFiles({u"a..b游记.txt"_s, u"c.d.txt"_s});
        m_host.inputs.keywords = u". .. 游记 ./.."_s;
        m_host.inputs.policy = SameNamePolicy::Rename;
        RunSort(m_host);
        QCOMPARE(EntriesOf(m_dir->path()), (QStringList{u"out"_s, u"src"_s}));
        QCOMPARE(EntriesOf(path(u"out"_s)), QStringList{u"游记"_s});
        QCOMPARE(m_host.reports.first().notMatching, 1);
    }

    // A folder below the output folder is reached only as a folder, never through a symbolic link at its name: the
    // run refuses the placement, or passes the file over where only folders that are there count, as its plan says
    // beforehand, and nothing is placed or made where the link leads.
    void aLinkBelowTheOutputFolderIsNeverFollowed_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("leadsTo");
        QTest::addColumn<PlanAction>("action");
        QTest::newRow("a link to a folder") << int(KeywordPage) << u"elsewhere"_s << PlanAction::Refused;
        QTest::newRow("a dangling link") << int(KeywordPage) << u"elsewhere/missing"_s << PlanAction::Refused;
        QTest::newRow("only folders that are there") << int(NamePage) << u"elsewhere"_s << PlanAction::NoMatch;
    }
    void aLinkBelowTheOutputFolderIsNeverFollowed() {
        QFETCH(int, page);
        QFETCH(QString, leadsTo);
        QFETCH(PlanAction, action);
        listFiles({u"游记.txt"_s});
        MakeFolder(QFile::encodeName(path(u"elsewhere"_s)));
        MakeFolder(QFile::encodeName(path(u"out"_s)));
        MakeLink(QFile::encodeName(path(leadsTo)), QFile::encodeName(path(u"out/游记"_s)));
        m_host.inputs.page = CriterionPage(page);
        m_host.inputs.name.onlyExisting = true;
        m_host.inputs.move = true;
        const std::optional<SortPlan> plan = PlanSort(m_host);
        QVERIFY(plan && plan->steps.size() == 1);
        QCOMPARE(plan->steps.first().action, action);
        RunSort(m_host);
        const RunReport& report = m_host.reports.value(0);
        QCOMPARE(report.failed, int(action == PlanAction::Refused));
        QCOMPARE(report.notMatching, int(action == PlanAction::NoMatch));
        if (action == PlanAction::Refused) {
            QCOMPARE(plan->steps.first().reason, FailureReason::NoFolder);
            QCOMPARE(report.failures.value(0).reason, FailureReason::NoFolder);
        }
        QCOMPARE(EntriesOf(path(u"elsewhere"_s)), QStringList());
        QCOMPARE(EntriesOf(path(u"src"_s)), QStringList{u"游记.txt"_s});
    }

    // A folder name that was not valid text when chosen stands for other bytes than the folder's own: no run.
    void anOutputFolderThatCannotBeNamedIsRefused() {
        listFiles({u"游记.txt"_s});
        m_host.inputs.outputFolder = path(u"out-"_s) + QChar::ReplacementCharacter;
        RunSort(m_host);
        QCOMPARE(m_host.messages, QStringList{u"输出文件夹的名称无法识别，请重新选择输出文件夹。"_s});
        QVERIFY(m_host.locks.isEmpty());
        QCOMPARE(EntriesOf(m_dir->path()), QStringList{u"src"_s});
    }

    // A plan is refused with the run's own messages, and neither makes a folder nor changes the host's fields.
    void aPlanIsRefusedAsTheRunIs_data() {
        QTest::addColumn<QString>("refusal");
        // The boxes shown (a field's message is a box too), and the fields that got the focus.
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QList<InputField>>("focused");
        QTest::newRow("empty list") << u"list"_s << QStringList{u"没有需要分拣的文件!"_s} << QList<InputField>();
        QTest::newRow("include without types")
            << u"include"_s << QStringList{u"如果选择了只分拣某些文件类型，则类型不应当为空！"_s}
            << QList<InputField>();
        QTest::newRow("output folder without a name")
            << u"folder"_s << QStringList{u"输出文件夹的名称无法识别，请重新选择输出文件夹。"_s} << QList<InputField>();
        QTest::newRow("no keyword") << u"keyword"_s << QStringList{u"请输入匹配关键字!"_s}
                                    << QList<InputField>{InputField::Keywords};
        QTest::newRow("size not a number")
            << u"size"_s << QStringList{u"请输入正确的文件大小!"_s} << QList<InputField>{InputField::Size};
    }
    void aPlanIsRefusedAsTheRunIs() {
        QFETCH(QString, refusal);
        QFETCH(QStringList, shown);
        QFETCH(QList<InputField>, focused);
        const auto focusedBy = [](const FakeRunHost& host) {
            QList<InputField> fields;
            for (const InputError& error : host.inputErrors) {
                fields.append(error.field);
            }
            return fields;
        };
        if (refusal != u"list"_s) {
            listFiles({u"游记.txt"_s});
        }
        m_host.inputs.filter.include = refusal == u"include"_s;
        m_host.inputs.outputFolder =
            refusal == u"folder"_s ? path(u"out-"_s) + QChar::ReplacementCharacter : path(u"out"_s);
        m_host.inputs.keywords = refusal == u"keyword"_s ? u" "_s : u"游记"_s;
        m_host.inputs.page = refusal == u"size"_s ? SizePage : KeywordPage;
        m_host.inputs.size = {SizeCondition::Larger, u"x"_s, SizeUnit::KB};
        FakeRunHost planHost = m_host;
        QVERIFY(!PlanSort(planHost));
        QCOMPARE(planHost.inputs.outputFolder, m_host.inputs.outputFolder);
        QCOMPARE(EntriesOf(m_dir->path()), refusal == u"list"_s ? QStringList() : QStringList{u"src"_s});
        RunSort(m_host);
        QCOMPARE(planHost.messages, shown);
        QCOMPARE(m_host.messages, shown);
        QCOMPARE(focusedBy(planHost), focused);
        QCOMPARE(focusedBy(m_host), focused);
    }

    // The plan of the same-name question says that it will come, and asks nothing.
    void aPlanNeverAsks() {
        listFiles({u"游记.txt"_s});
        WriteTestFile(path(u"out/游记/游记.txt"_s), "old");
        m_host.inputs.policy = SameNamePolicy::Ask;
        const std::optional<SortPlan> plan = PlanSort(m_host);
        QVERIFY(plan && plan->steps.size() == 1);
        QCOMPARE(plan->steps.first().action, PlanAction::Ask);
        QCOMPARE(plan->steps.first().target, QFile::encodeName(path(u"out/游记/游记.txt"_s)));
        QVERIFY(m_host.questions.isEmpty() && m_host.locks.isEmpty() && m_host.reports.isEmpty());
        QCOMPARE(m_host.inputs.outputFolder, path(u"out"_s));
    }

    // Placing into a folder removes the temporary files that ended processes of ours left there, and nothing else.
    void leftoverTemporaryFilesAreRemoved() {
        listFiles({u"游记.txt"_s});
        const QString folder = path(u"out/游记/"_s);
        const QByteArray ended = Fs::TemporaryName(endedProcess(), 1);
        const QByteArray running = Fs::TemporaryName(::getpid(), 1);
        const QByteArray endedFolder = Fs::TemporaryName(endedProcess(), 2);
        const QByteArray othersFile = Fs::TemporaryName(endedProcess(), 3);
        for (const QByteArray& name : {ended, running, othersFile, QByteArray(".varnoth-notes.part")}) {
            WriteTestFile(folder + QFile::decodeName(name), "partial");
        }
        MakeFolder(QFile::encodeName(folder) + endedFolder);
        QStringList kept = {QFile::decodeName(running), QFile::decodeName(endedFolder), u".varnoth-notes.part"_s,
                            u"游记.txt"_s};
        const std::optional<UnprivilegedUser> user = FindUnprivilegedUser();
        if (RunningAsRoot() && user) {
            QVERIFY(::lchown((QFile::encodeName(folder) + othersFile).constData(), user->uid, user->gid) == 0);
            kept.append(QFile::decodeName(othersFile));
        }
        RunSort(m_host);
        kept.sort();
        QCOMPARE(EntriesOf(folder), kept);
    }

    // A folder the run places into is opened once, yet one removed during the run is made again for the next file,
    // as a folder that was never there would be.
    void aFolderRemovedDuringTheRunIsMadeAgain_data() {
        QTest::addColumn<QString>("removed");
        QTest::newRow("the destination folder") << u"out/游记"_s;
        QTest::newRow("the output folder") << u"out"_s;
    }
    void aFolderRemovedDuringTheRunIsMadeAgain() {
        QFETCH(QString, removed);
        listFiles({u"游记1.txt"_s, u"游记2.txt"_s});
        m_host.onProcessEvents = [&] {
            if (QFileInfo::exists(path(u"out/游记/游记1.txt"_s))) {
                QDir(path(removed)).removeRecursively();
            }
        };
        RunSort(m_host);
        QCOMPARE(EntriesOf(path(u"out/游记"_s)), QStringList{u"游记2.txt"_s});
        QCOMPARE(m_host.reports.value(0).placed, 2);
    }

    // The window leaves copy or move and the same-name policy open during a run; the run reads them again whenever
    // it processed events.
    void inputsChangedDuringARunApplyFromTheNextFile() {
        listFiles({u"游记1.txt"_s, u"游记2.txt"_s, u"游记3.txt"_s});
        int processed = 0;
        m_host.onProcessEvents = [&] {
            if (++processed == 1) {
                m_host.inputs.move = true;
            }
        };
        RunSort(m_host);
        QCOMPARE(EntriesOf(path(u"src"_s)), QStringList{u"游记1.txt"_s});
        QCOMPARE(EntriesOf(path(u"out/游记"_s)).size(), 3);
    }
    void aPolicyChangedDuringARunAppliesFromTheNextFile() {
        listFiles({u"游记1.txt"_s, u"游记2.txt"_s});
        for (const QString& name : {u"游记1.txt"_s, u"游记2.txt"_s}) {
            WriteTestFile(path(u"out/游记/"_s + name), "old");
        }
        m_host.onProcessEvents = [&] { m_host.inputs.policy = SameNamePolicy::Skip; };
        RunSort(m_host);
        QCOMPARE(ReadTestFile(path(u"out/游记/游记1.txt"_s)), u"游记1.txt"_s.toUtf8());
        QCOMPARE(ReadTestFile(path(u"out/游记/游记2.txt"_s)), QByteArray("old"));
    }

    void aCloseRequestEndsTheRunAfterTheCurrentFile() {
        listFiles({u"游记1.txt"_s, u"游记2.txt"_s});
        m_host.onProcessEvents = [&] { m_host.stop = true; };
        RunSort(m_host);
        QCOMPARE(EntriesOf(path(u"out/游记"_s)), QStringList{u"游记1.txt"_s});
        QCOMPARE(m_host.locks, (QList<bool>{true, false}));
        QVERIFY(m_host.messages.isEmpty());
        QCOMPARE(m_host.reports.size(), 1);
        QVERIFY(m_host.reports.first().stopped);
        QCOMPARE(m_host.reports.first().notReached, 1);
    }
};

QTEST_GUILESS_MAIN(TestSortRun)
#include "test_sort_run.moc"

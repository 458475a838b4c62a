#include "core/CriterionPage.h"
#include "engine/SortRun.h"
#include "engine/criteria/CharRange.h"
#include "engine/criteria/NameCriterion.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/OutputTree.h"
#include "testsupport/RunChecks.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(NamePageFields)

namespace {
constexpr qint64 int64Max = std::numeric_limits<qint64>::max();
// A name of 255 characters without extension: 250 times "a", then "bcdef".
const QString longName = QString(250, u'a') + u"bcdef"_s;
} // namespace

// Page 1: files are gathered by their stem, a character range of it, or either with filter pieces cut out.
class TestNameCriterion : public QObject {
    Q_OBJECT
private slots:
    void charRange_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("middle") << QByteArray("ABCDE") << 2LL << 2LL << QByteArray("BC");
        QTest::newRow("Chinese counts characters") << u"西游记第一回"_s.toUtf8() << 1LL << 3LL << u"西游记"_s.toUtf8();
        QTest::newRow("start 0 counts from the first") << QByteArray("ABCDE") << 0LL << 4LL << QByteArray("ABCD");
        QTest::newRow("cut at the end") << QByteArray("ABCDE") << 4LL << 10LL << QByteArray("DE");
        QTest::newRow("start past the end") << QByteArray("ABCDE") << 6LL << 1LL << QByteArray();
        QTest::newRow("negative count") << QByteArray("ABCDE") << 2LL << -1LL << QByteArray();
        QTest::newRow("emoji taken whole from its first half") << u"😀abc"_s.toUtf8() << 1LL << 1LL << u"😀"_s.toUtf8();
        QTest::newRow("emoji taken whole from its second half") << u"😀abc"_s.toUtf8() << 2LL << 2LL << u"😀a"_s.toUtf8();
        QTest::newRow("after the emoji") << u"😀abc"_s.toUtf8() << 3LL << 1LL << QByteArray("a");
        QTest::newRow("invalid bytes kept one position each") << QByteArray("\xff\xfe"
                                                                            "ab")
                                                              << 2LL << 2LL
                                                              << QByteArray("\xfe"
                                                                            "a");
        QTest::newRow("broken sequence byte by byte") << QByteArray("\xe8\xa5x") << 2LL << 2LL << QByteArray("\xa5x");
        QTest::newRow("encoded surrogate is not a character")
            << QByteArray("\xed\xa0\x80z") << 4LL << 1LL << QByteArray("z");
        QTest::newRow("largest count takes the rest") << QByteArray("ABCDE") << 2LL << int64Max << QByteArray("BCDE");
        QTest::newRow("largest count before the first")
            << QByteArray("ABCDE") << std::numeric_limits<qint64>::min() << int64Max << QByteArray("ABCDE");
        QTest::newRow("largest start and count") << QByteArray("ABCDE") << int64Max << int64Max << QByteArray();
    }
    void charRange() {
        QFETCH(QByteArray, text);
        QFETCH(qint64, start);
        QFETCH(qint64, count);
        QFETCH(QByteArray, expected);
        QCOMPARE(CopyCharRange(text, start, count), expected);
    }

    void filterPieces_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("two pieces") << QByteArray("a_b-c") << u"_*-"_s << QByteArray("abc");
        QTest::newRow("only asterisks") << QByteArray("a_b") << u"**"_s << QByteArray("a_b");
        QTest::newRow("empty filter") << QByteArray("a_b") << QString() << QByteArray("a_b");
        QTest::newRow("every occurrence") << QByteArray("abxab") << u"ab"_s << QByteArray("x");
        QTest::newRow("no search across a cut") << QByteArray("aabb") << u"ab"_s << QByteArray("ab");
        QTest::newRow("letter case counts") << QByteArray("banana") << u"A"_s << QByteArray("banana");
        QTest::newRow("Chinese piece") << u"西游记"_s.toUtf8() << u"游"_s << u"西记"_s.toUtf8();
        QTest::newRow("pieces in order, bc first") << QByteArray("abc") << u"bc*ab"_s << QByteArray("a");
        QTest::newRow("pieces in order, ab first") << QByteArray("abc") << u"ab*bc"_s << QByteArray("c");
    }
    void filterPieces() {
        QFETCH(QByteArray, name);
        QFETCH(QString, filter);
        QFETCH(QByteArray, expected);
        QCOMPARE(RemoveFilterPieces(name, filter.toUtf8()), expected);
    }

    void positionsRefused_data() {
        QTest::addColumn<QString>("begin");
        QTest::addColumn<QString>("end");
        QTest::addColumn<InputField>("field");

        QTest::newRow("empty start") << QString() << u"3"_s << InputField::RangeBegin;
        QTest::newRow("empty start, end not looked at") << QString() << u"x"_s << InputField::RangeBegin;
        QTest::newRow("start too large") << u"2147483648"_s << u"3"_s << InputField::RangeBegin;
        QTest::newRow("start with a space") << u" 1"_s << u"3"_s << InputField::RangeBegin;
        QTest::newRow("start in hex") << u"$1"_s << u"3"_s << InputField::RangeBegin;
        QTest::newRow("empty end") << u"1"_s << QString() << InputField::RangeEnd;
        QTest::newRow("end with a letter") << u"1"_s << u"3a"_s << InputField::RangeEnd;
    }
    void positionsRefused() {
        QFETCH(QString, begin);
        QFETCH(QString, end);
        QFETCH(InputField, field);
        QTemporaryDir dir;
        FakeRunHost host;
        host.inputs.page = NamePage;
        host.inputs.outputFolder = dir.filePath(u"out"_s);
        host.files = {WriteTestFile(dir.filePath(u"src/ABCDE.txt"_s))};
        host.inputs.name.range = true;
        host.inputs.name.begin = begin;
        host.inputs.name.end = end;
        RunSort(host);
        CheckRunRefused(host, u"请输入整数序号!"_s, field);
    }

    void positionsIgnoredWithoutRange() {
        QTemporaryDir dir;
        FakeRunHost host;
        host.inputs.page = NamePage;
        host.inputs.outputFolder = dir.filePath(u"out"_s);
        host.files = {WriteTestFile(dir.filePath(u"src/ABCDE.txt"_s))};
        host.inputs.name.begin = u"junk"_s;
        RunSort(host);
        QCOMPARE(host.messages, QStringList{u"分拣工作完成！"_s});
        QCOMPARE(TreeOf(host.inputs.outputFolder), (QStringList{u"ABCDE/"_s, u"ABCDE/ABCDE.txt"_s}));
    }

    void sort_data() {
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QStringList>("prepared"); // entries made in out/ first; a final '/' makes a folder
        QTest::addColumn<NamePageFields>("fields");
        QTest::addColumn<QStringList>("tree"); // what the folder above out/ holds afterwards

        const auto range = [](const QString& begin, const QString& end, const QString& filter = QString()) {
            return NamePageFields{true, begin, end, filter, false};
        };
        const auto filterOnly = [](const QString& filter) { return NamePageFields{false, {}, {}, filter, false}; };
        const NamePageFields onlyExisting{false, {}, {}, {}, true};

        QTest::newRow("same stem, one folder")
            << QStringList{u"report.doc"_s, u"report.xls"_s, u"memo.txt"_s} << QStringList() << NamePageFields()
            << QStringList{u"out/"_s,
                           u"out/memo/"_s,
                           u"out/memo/memo.txt"_s,
                           u"out/report/"_s,
                           u"out/report/report.doc"_s,
                           u"out/report/report.xls"_s};
        QTest::newRow("range 2 to 3") << QStringList{u"ABCDE.txt"_s} << QStringList() << range(u"2"_s, u"3"_s)
                                      << QStringList{u"out/"_s, u"out/BC/"_s, u"out/BC/ABCDE.txt"_s};
        QTest::newRow("range 3 to 2 is swapped")
            << QStringList{u"ABCDE.txt"_s} << QStringList() << range(u"3"_s, u"2"_s)
            << QStringList{u"out/"_s, u"out/BC/"_s, u"out/BC/ABCDE.txt"_s};
        QTest::newRow("range counts characters")
            << QStringList{u"西游记第一回.txt"_s} << QStringList() << range(u"1"_s, u"3"_s)
            << QStringList{u"out/"_s, u"out/西游记/"_s, u"out/西游记/西游记第一回.txt"_s};
        QTest::newRow("end 300 acts as 254") << QStringList{longName} << QStringList() << range(u"250"_s, u"300"_s)
                                             << QStringList{u"out/"_s, u"out/abcde/"_s, u"out/abcde/"_s + longName};
        QTest::newRow("a stem of 255 characters is kept whole")
            << QStringList{longName} << QStringList() << NamePageFields()
            << QStringList{u"out/"_s, u"out/"_s + longName + u"/"_s, u"out/"_s + longName + u"/"_s + longName};
        QTest::newRow("begin 0 keeps the length")
            << QStringList{u"ABCDE.txt"_s} << QStringList() << range(u"0"_s, u"3"_s)
            << QStringList{u"out/"_s, u"out/ABCD/"_s, u"out/ABCD/ABCDE.txt"_s};
        QTest::newRow("begin -1 keeps the length")
            << QStringList{u"ABCDEFG.txt"_s} << QStringList() << range(u"-1"_s, u"3"_s)
            << QStringList{u"out/"_s, u"out/ABCDE/"_s, u"out/ABCDE/ABCDEFG.txt"_s};
        QTest::newRow("range past the end gives the output folder")
            << QStringList{u"ABCDE.txt"_s} << QStringList() << range(u"10"_s, u"12"_s)
            << QStringList{u"out/"_s, u"out/ABCDE.txt"_s};
        QTest::newRow("begin 300 end 400 gives the output folder")
            << QStringList{u"ABCDE.txt"_s} << QStringList() << range(u"300"_s, u"400"_s)
            << QStringList{u"out/"_s, u"out/ABCDE.txt"_s};
        QTest::newRow("extreme positions do not overflow")
            << QStringList{u"ABCDE.txt"_s} << QStringList() << range(u"-2147483648"_s, u"2147483647"_s)
            << QStringList{u"out/"_s, u"out/ABCDE/"_s, u"out/ABCDE/ABCDE.txt"_s};
        QTest::newRow("filter _*-") << QStringList{u"a_b-c.txt"_s} << QStringList() << filterOnly(u"_*-"_s)
                                    << QStringList{u"out/"_s, u"out/abc/"_s, u"out/abc/a_b-c.txt"_s};
        QTest::newRow("range first, then the filter")
            << QStringList{u"ab_cd_ef.txt"_s} << QStringList() << range(u"1"_s, u"4"_s, u"_"_s)
            << QStringList{u"out/"_s, u"out/abc/"_s, u"out/abc/ab_cd_ef.txt"_s};
        QTest::newRow("stem .. from a file named ...")
            << QStringList{u"..."_s} << QStringList() << NamePageFields() << QStringList();
        QTest::newRow("stem .. from a range")
            << QStringList{u"..x.txt"_s} << QStringList() << range(u"1"_s, u"2"_s) << QStringList();
        QTest::newRow("stem .. from a filter")
            << QStringList{u".x..txt"_s} << QStringList() << filterOnly(u"x"_s) << QStringList();
        QTest::newRow("stem . is the output folder")
            << QStringList{u"..txt"_s} << QStringList() << NamePageFields() << QStringList{u"out/"_s, u"out/..txt"_s};
        QTest::newRow("only existing folders")
            << QStringList{u"A.xls"_s, u"A.doc"_s, u"B.doc"_s, u"C.doc"_s} << QStringList{u"A/"_s, u"B/"_s}
            << onlyExisting
            << QStringList{u"out/"_s, u"out/A/"_s, u"out/A/A.doc"_s, u"out/A/A.xls"_s, u"out/B/"_s, u"out/B/B.doc"_s};
        QTest::newRow("only existing: a file named A is no folder")
            << QStringList{u"A.doc"_s} << QStringList{u"A"_s} << onlyExisting << QStringList{u"out/"_s, u"out/A"_s};
        QTest::newRow("only existing: letter case counts")
            << QStringList{u"A.doc"_s} << QStringList{u"a/"_s} << onlyExisting << QStringList{u"out/"_s, u"out/a/"_s};
        QTest::newRow("only existing: an empty name means the output folder")
            << QStringList{u"ABCDE.txt"_s} << QStringList{u"keep/"_s}
            << NamePageFields{true, u"10"_s, u"12"_s, {}, true}
            << QStringList{u"out/"_s, u"out/ABCDE.txt"_s, u"out/keep/"_s};
    }
    void sort() {
        QFETCH(QStringList, sources);
        QFETCH(QStringList, prepared);
        QFETCH(NamePageFields, fields);
        QFETCH(QStringList, tree);
        QTemporaryDir dir;
        const QString parent = dir.filePath(u"parent"_s);
        FakeRunHost host;
        host.inputs.page = NamePage;
        host.inputs.name = fields;
        host.inputs.outputFolder = parent + u"/out"_s;
        QDir().mkpath(parent);
        for (const QString& entry : prepared) {
            if (entry.endsWith(u'/')) {
                QDir().mkpath(host.inputs.outputFolder + u'/' + entry);
            } else {
                WriteTestFile(host.inputs.outputFolder + u'/' + entry);
            }
        }
        for (const QString& name : sources) {
            host.files.append(WriteTestFile(dir.filePath(u"src/"_s + name), name.toUtf8()));
        }
        RunSort(host);
        QCOMPARE(host.messages, QStringList{u"分拣工作完成！"_s});
        QCOMPARE(TreeOf(parent), tree);
    }
};

QTEST_GUILESS_MAIN(TestNameCriterion)
#include "test_name_criterion.moc"

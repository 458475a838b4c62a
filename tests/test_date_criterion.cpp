#include "core/CriterionPage.h"
#include "engine/SortRun.h"
#include "engine/criteria/DateCriterion.h"
#include "engine/criteria/DatePattern.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/OutputTree.h"
#include "testsupport/PermissionBits.h"
#include "testsupport/TestFiles.h"
#include "testsupport/Unmeasurables.h"

#include <QTemporaryDir>
#include <QTest>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {
constexpr DateCondition earlier = DateCondition::Earlier;
constexpr DateCondition later = DateCondition::Later;
// Central European time with its summer time, spelt out so that no time-zone database is needed.
const char* const berlin = "CET-1CEST,M3.5.0,M10.5.0/3";

// The run's folder name comes from the system locale; the C locale makes it yyyy/M/d whatever the machine has.
void useCLocale() {
    qputenv("LC_ALL", "C");
}
Q_CONSTRUCTOR_FUNCTION(useCLocale)

void useTimeZone(const char* zone) {
    qputenv("TZ", zone);
    ::tzset();
}

// Sets the modification time of path to secondsSinceEpoch (UTC).
void setModified(const QByteArray& path, qint64 secondsSinceEpoch) {
    const struct timespec times[2] = {{time_t(secondsSinceEpoch), 0}, {time_t(secondsSinceEpoch), 0}};
    if (::utimensat(AT_FDCWD, path.constData(), times, 0) != 0) {
        qFatal("cannot set the modification time");
    }
}
} // namespace

Q_DECLARE_METATYPE(DateCondition)
Q_DECLARE_METATYPE(DateKind)

// Page 4: files modified strictly earlier or later than a chosen local moment, into a folder named after the date.
class TestDateCriterion : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* m_dir = nullptr;
    FakeRunHost m_host;

    QByteArray sourceFile(qint64 modified) {
        const QByteArray path = WriteTestFile(m_dir->filePath(u"src/f.txt"_s));
        setModified(path, modified);
        return path;
    }

private slots:
    void init() {
        useTimeZone("UTC0");
        m_dir = new QTemporaryDir;
        m_host = FakeRunHost();
        m_host.inputs.page = DatePage;
        m_host.inputs.outputFolder = m_dir->filePath(u"out"_s);
    }
    void cleanup() { delete m_dir; }

    void pack_data() {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<quint32>("packed");

        const auto row = [](const char* name, int y, int mo, int d, int h, int mi, int s, quint32 packed) {
            QTest::newRow(name) << QDateTime(QDate(y, mo, d), QTime(h, mi, s)) << packed;
        };
        row("first packable moment", 1980, 1, 1, 0, 0, 0, 0x00210000);
        row("date only", 2013, 5, 6, 0, 0, 0, 0x42A60000);
        row("every field at its largest", 2107, 12, 31, 23, 59, 59, 0xFF9FBF7D);
        row("odd second rounds down", 2020, 7, 1, 10, 0, 1, 0x50E15000);
        row("even second", 1999, 12, 31, 23, 59, 58, 0x279FBF7D);
        row("before 1980", 1979, 12, 31, 23, 59, 59, 0);
        row("after 2107", 2108, 1, 1, 0, 0, 0, 0);
    }
    void pack() {
        QFETCH(QDateTime, moment);
        QFETCH(quint32, packed);
        const QDate date = moment.date();
        const QTime time = moment.time();
        QCOMPARE(PackDosDateTime(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()),
                 packed);
    }

    void folderName_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("name");
        QTest::newRow("C locale") << QLocale::c() << u"2013-5-6"_s;
        QTest::newRow("dots stay (d.M.yyyy)") << QLocale(QLocale::Finnish, QLocale::Finland) << u"6.5.2013"_s;
        QTest::newRow("month first (M/d/yy)") << QLocale(QLocale::English, QLocale::UnitedStates) << u"5-6-13"_s;
        QTest::newRow("Chinese (yyyy/M/d)") << QLocale(QLocale::Chinese, QLocale::China) << u"2013-5-6"_s;
    }
    void folderName() {
        QFETCH(QLocale, locale);
        QFETCH(QString, name);
        QCOMPARE(DateFolderName(QDate(2013, 5, 6), locale), name);
    }

    void sort_data() {
        QTest::addColumn<DateCondition>("condition");
        QTest::addColumn<QDateTime>("chosen");
        QTest::addColumn<qint64>("modified"); // seconds since 1970, UTC
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QList<int>>("progress");

        const QList<int> processed{0, 100, 0};
        const QList<int> passedOver{100, 0};
        const QDateTime tenOClock(QDate(2020, 7, 1), QTime(10, 0));
        const QStringList julyEmpty{u"2020-7-1/"_s};
        const QStringList julyPlaced{u"2020-7-1/"_s, u"2020-7-1/f.txt"_s};
        // 2020-07-01 10:00:00 UTC and the seconds after it.
        constexpr qint64 tenUtc = 1593597600;

        QTest::newRow("same two-second slot is not earlier")
            << earlier << tenOClock << tenUtc + 1 << julyEmpty << processed;
        QTest::newRow("same two-second slot is not later")
            << later << tenOClock << tenUtc + 1 << julyEmpty << processed;
        QTest::newRow("the next slot is later") << later << tenOClock << tenUtc + 2 << julyPlaced << processed;
        QTest::newRow("the slot before is earlier")
            << earlier << tenOClock.addSecs(2) << tenUtc << julyPlaced << processed;
        QTest::newRow("a moment before 1980: earlier takes nothing")
            << earlier << QDateTime(QDate(1979, 12, 31), QTime(0, 0)) << tenUtc << QStringList{u"1979-12-31/"_s}
            << processed;
        QTest::newRow("a moment before 1980: later takes every file")
            << later << QDateTime(QDate(1979, 12, 31), QTime(0, 0)) << tenUtc
            << QStringList{u"1979-12-31/"_s, u"1979-12-31/f.txt"_s} << processed;
        QTest::newRow("a moment after 2107: earlier takes every file")
            << earlier << QDateTime(QDate(2108, 1, 1), QTime(0, 0)) << tenUtc
            << QStringList{u"2108-1-1/"_s, u"2108-1-1/f.txt"_s} << processed;
        QTest::newRow("a moment after 2107: later takes nothing")
            << later << QDateTime(QDate(2108, 1, 1), QTime(0, 0)) << tenUtc << QStringList{u"2108-1-1/"_s} << processed;
        QTest::newRow("2050 is later than a 2020 file")
            << earlier << QDateTime(QDate(2050, 1, 1), QTime(0, 0)) << tenUtc
            << QStringList{u"2050-1-1/"_s, u"2050-1-1/f.txt"_s} << processed;
        QTest::newRow("a file from 1975 is passed over")
            << later << tenOClock << 170812800LL << julyEmpty << passedOver;
        QTest::newRow("a file from 2110 is passed over")
            << earlier << tenOClock << 4417977600LL << julyEmpty << passedOver;
    }
    void sort() {
        QFETCH(DateCondition, condition);
        QFETCH(QDateTime, chosen);
        QFETCH(qint64, modified);
        QFETCH(QStringList, tree);
        QFETCH(QList<int>, progress);
        m_host.files = {sourceFile(modified)};
        m_host.inputs.date = {DateKind::ModificationTime, condition, chosen.date(), chosen.time()};
        RunSort(m_host);
        QCOMPARE(m_host.messages, QStringList{u"分拣工作完成！"_s});
        QCOMPARE(TreeOf(m_host.inputs.outputFolder), tree);
        QCOMPARE(m_host.progress, progress);
    }

    // Each file keeps the offset from UTC of its own date, whatever the season of the run.
    void daylightSavingTime_data() {
        QTest::addColumn<qint64>("modified");
        QTest::addColumn<DateCondition>("condition");
        QTest::addColumn<QDateTime>("chosen");
        QTest::addColumn<QString>("placedAs"); // the copy's path below out/, or empty when it matched nothing

        constexpr qint64 summer = 1593597600; // 2020-07-01 10:00 UTC, 12:00 summer time
        constexpr qint64 winter = 1579082400; // 2020-01-15 10:00 UTC, 11:00 winter time
        // Each time is pinned from both sides, so a shift by the offset of the run's own season fails in summer
        // and in winter alike.
        const QDateTime summerNoon(QDate(2020, 7, 1), QTime(12, 0));
        const QDateTime winterEleven(QDate(2020, 1, 15), QTime(11, 0));
        QTest::newRow("summer file is not earlier than 12:00") << summer << earlier << summerNoon << QString();
        QTest::newRow("summer file is not later than 12:00") << summer << later << summerNoon << QString();
        QTest::newRow("summer file is later than 11:59:58")
            << summer << later << summerNoon.addSecs(-2) << u"2020-7-1/f.txt"_s;
        QTest::newRow("winter file is not earlier than 11:00") << winter << earlier << winterEleven << QString();
        QTest::newRow("winter file is not later than 11:00") << winter << later << winterEleven << QString();
        QTest::newRow("winter file is earlier than 11:00:02")
            << winter << earlier << winterEleven.addSecs(2) << u"2020-1-15/f.txt"_s;
    }
    void daylightSavingTime() {
        QFETCH(qint64, modified);
        QFETCH(DateCondition, condition);
        QFETCH(QDateTime, chosen);
        QFETCH(QString, placedAs);
        useTimeZone(berlin);
        m_host.files = {sourceFile(modified)};
        m_host.inputs.date = {DateKind::ModificationTime, condition, chosen.date(), chosen.time()};
        RunSort(m_host);
        const QStringList copies = TreeOf(m_host.inputs.outputFolder).filter(u"f.txt"_s);
        QCOMPARE(copies, placedAs.isEmpty() ? QStringList() : QStringList{placedAs});
    }

    void unmeasurablesArePassedOverByBothTimes_data() {
        QTest::addColumn<DateKind>("kind");
        QTest::newRow("creation time") << DateKind::CreationTime;
        QTest::newRow("modification time") << DateKind::ModificationTime;
    }
    void unmeasurablesArePassedOverByBothTimes() {
        QFETCH(DateKind, kind);
        m_host.files = MakeUnmeasurables(m_dir->filePath(u"odd"_s));
        m_host.inputs.date = {kind, later, QDate(1990, 1, 1), QTime(0, 0)};
        RunSort(m_host);
        QCOMPARE(TreeOf(m_host.inputs.outputFolder), QStringList{u"1990-1-1/"_s});
        QCOMPARE(m_host.progress, (QList<int>{100, 0}));
    }

    // A file that cannot be opened still has a directory entry to read its creation time from. Its copy fails, so
    // the progress shows whether it was measured.
    void onlyTheModificationTimeNeedsReading_data() {
        QTest::addColumn<DateKind>("kind");
        QTest::addColumn<QList<int>>("progress");
        QTest::newRow("creation time") << DateKind::CreationTime << QList<int>{0, 100, 0};
        QTest::newRow("modification time") << DateKind::ModificationTime << QList<int>{100, 0};
    }
    void onlyTheModificationTimeNeedsReading() {
        QFETCH(DateKind, kind);
        QFETCH(QList<int>, progress);
        const PermissionBitsBind bound;
        if (!bound.reason().isEmpty()) {
            QSKIP(qPrintable(bound.reason()));
        }
        const QByteArray path = sourceFile(1593597600);
        QVERIFY(QFile::setPermissions(QFile::decodeName(path), {}));
        m_host.files = {path};
        m_host.inputs.date = {kind, later, QDate(1990, 1, 1), QTime(0, 0)};
        RunSort(m_host);
        QCOMPARE(m_host.progress, progress);
    }
};

// The folder names a date pattern makes, and the dates that have none.
class TestDatePattern : public QObject {
    Q_OBJECT
private slots:
    void folders_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("folder"); // empty: no folder
        QTest::newRow("year and month") << u"%Y/%m"_s << QDate(2023, 5, 6) << u"2023/05"_s;
        QTest::newRow("all three, literal text") << u"%d.%m.%Y 旅行"_s << QDate(2023, 12, 31) << u"31.12.2023 旅行"_s;
        QTest::newRow("a percent sign") << u"%Y%%"_s << QDate(2023, 1, 1) << u"2023%"_s;
        QTest::newRow("a year of three digits") << u"%Y"_s << QDate(999, 1, 1) << u"0999"_s;
        QTest::newRow("a year of five digits") << u"%Y"_s << QDate(10000, 1, 1) << QString();
        QTest::newRow("a year before the common era") << u"%Y"_s << QDate(-1, 1, 1) << QString();
        QTest::newRow("no date") << u"%Y"_s << QDate() << QString();
    }
    void folders() {
        QFETCH(QString, pattern);
        QFETCH(QDate, date);
        QFETCH(QString, folder);
        const std::variant<DatePattern, QString> parsed = DatePattern::parse(pattern);
        QVERIFY(std::holds_alternative<DatePattern>(parsed));
        QCOMPARE(std::get<DatePattern>(parsed).folderFor(date).value_or(QString()), folder);
    }
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    TestDateCriterion criterion;
    TestDatePattern pattern;
    return QTest::qExec(&criterion, argc, argv) | QTest::qExec(&pattern, argc, argv);
}
#include "test_date_criterion.moc"

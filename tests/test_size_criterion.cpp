#include "core/CriterionPage.h"
#include "engine/SortRun.h"
#include "engine/criteria/SizeCriterion.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/OutputTree.h"
#include "testsupport/PermissionBits.h"
#include "testsupport/RunChecks.h"
#include "testsupport/TestFiles.h"
#include "testsupport/Unmeasurables.h"

#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

namespace {
constexpr SizeCondition greater = SizeCondition::Larger;
constexpr SizeCondition less = SizeCondition::Smaller;
constexpr SizeUnit kb = SizeUnit::KB;
constexpr SizeUnit mb = SizeUnit::MB;

SizePageFields sizeFields(SizeCondition condition, const QString& size, SizeUnit unit) {
    return {condition, size, unit};
}

// A file of size bytes named after its size, such as b1025.bin.
QByteArray makeFileOfSize(const QString& folder, qint64 size) {
    const QString path = folder + u"/b"_s + QString::number(size) + u".bin"_s;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size)) {
        qFatal("cannot make a file of the size asked for");
    }
    return QFile::encodeName(path);
}
} // namespace

Q_DECLARE_METATYPE(SizePageFields)
Q_DECLARE_METATYPE(SizeUnit)

// Page 3: files strictly larger or smaller than a threshold in KB or MB, into one folder named as the page reads.
class TestSizeCriterion : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* m_dir = nullptr;
    FakeRunHost m_host;

    QString sourceFolder() const { return m_dir->filePath(u"src"_s); }

private slots:
    void init() {
        m_dir = new QTemporaryDir;
        QDir().mkpath(sourceFolder());
        m_host = FakeRunHost();
        m_host.inputs.page = SizePage;
        m_host.inputs.outputFolder = m_dir->filePath(u"out"_s);
    }
    void cleanup() { delete m_dir; }

    void threshold_data() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<SizeUnit>("unit");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("bytes");

        QTest::newRow("1 KB") << u"1"_s << kb << true << 1024LL;
        QTest::newRow("1 MB") << u"1"_s << mb << true << 1048576LL;
        QTest::newRow("no unit selected is KB") << u"1"_s << SizeUnit::Unselected << true << 1024LL;
        QTest::newRow("negative") << u"-5"_s << kb << true << -5120LL;
        QTest::newRow("hexadecimal") << u"0x10"_s << kb << true << 16384LL;
        QTest::newRow("largest in KB") << u"9007199254740991"_s << kb << true << 9223372036854774784LL;
        QTest::newRow("2^53 KB overflows") << u"9007199254740992"_s << kb << false << 0LL;
        QTest::newRow("smallest in KB") << u"-9007199254740992"_s << kb << true << std::numeric_limits<qint64>::min();
        QTest::newRow("below -2^53 KB overflows") << u"-9007199254740993"_s << kb << false << 0LL;
        QTest::newRow("largest in MB") << u"8796093022207"_s << mb << true << 9223372036853727232LL;
        QTest::newRow("2^43 MB overflows") << u"8796093022208"_s << mb << false << 0LL;
        QTest::newRow("smallest in MB") << u"-8796093022208"_s << mb << true << std::numeric_limits<qint64>::min();
        QTest::newRow("below -2^43 MB overflows") << u"-8796093022209"_s << mb << false << 0LL;
    }
    void threshold() {
        QFETCH(QString, size);
        QFETCH(SizeUnit, unit);
        QFETCH(bool, valid);
        QFETCH(qint64, bytes);
        const std::optional<qint64> threshold = SizeThreshold(size, unit);
        QCOMPARE(threshold.has_value(), valid);
        if (valid) {
            QCOMPARE(*threshold, bytes);
        }
    }

    void refused_data() {
        QTest::addColumn<QString>("size");
        QTest::newRow("empty") << QString();
        QTest::newRow("blank") << u"   "_s;
        QTest::newRow("decimal fraction") << u"1.5"_s;
        QTest::newRow("trailing blank") << u"100 "_s;
        QTest::newRow("letters") << u"abc"_s;
        QTest::newRow("threshold too large") << u"9007199254740992"_s;
    }
    void refused() {
        QFETCH(QString, size);
        m_host.files = {makeFileOfSize(sourceFolder(), 10)};
        m_host.inputs.size = sizeFields(greater, size, kb);
        RunSort(m_host);
        CheckRunRefused(m_host, u"请输入正确的文件大小!"_s, InputField::Size);
    }

    void sort_data() {
        QTest::addColumn<SizePageFields>("fields");
        QTest::addColumn<QList<qint64>>("sizes");
        QTest::addColumn<QStringList>("tree");

        QTest::newRow("equal size is not greater")
            << sizeFields(greater, u"1"_s, kb) << QList<qint64>{1024} << QStringList{u"大于1KB/"_s};
        QTest::newRow("equal size is not less")
            << sizeFields(less, u"1"_s, kb) << QList<qint64>{1024} << QStringList{u"小于1KB/"_s};
        QTest::newRow("greater than 1 KB") << sizeFields(greater, u"1"_s, kb) << QList<qint64>{1024, 1025}
                                           << QStringList{u"大于1KB/"_s, u"大于1KB/b1025.bin"_s};
        QTest::newRow("less than 1 MB") << sizeFields(less, u"1"_s, mb) << QList<qint64>{1048575, 1048576}
                                        << QStringList{u"小于1MB/"_s, u"小于1MB/b1048575.bin"_s};
        QTest::newRow("greater than 0 takes non-empty files") << sizeFields(greater, u"0"_s, kb) << QList<qint64>{0, 1}
                                                              << QStringList{u"大于0KB/"_s, u"大于0KB/b1.bin"_s};
        QTest::newRow("less than 0 takes nothing")
            << sizeFields(less, u"0"_s, kb) << QList<qint64>{0, 1} << QStringList{u"小于0KB/"_s};
        QTest::newRow("greater than a negative size takes empty files too")
            << sizeFields(greater, u"-5"_s, kb) << QList<qint64>{0, 1}
            << QStringList{u"大于-5KB/"_s, u"大于-5KB/b0.bin"_s, u"大于-5KB/b1.bin"_s};
        QTest::newRow("less than a negative size takes nothing")
            << sizeFields(less, u"-5"_s, kb) << QList<qint64>{0, 1} << QStringList{u"小于-5KB/"_s};
        QTest::newRow("leading spaces stay in the folder name")
            << sizeFields(greater, u"  100"_s, kb) << QList<qint64>{102400, 102401}
            << QStringList{u"大于  100KB/"_s, u"大于  100KB/b102401.bin"_s};
        QTest::newRow("leading zeros stay in the folder name")
            << sizeFields(greater, u"007"_s, kb) << QList<qint64>{7168, 7169}
            << QStringList{u"大于007KB/"_s, u"大于007KB/b7169.bin"_s};
        QTest::newRow("hexadecimal size") << sizeFields(greater, u"$10"_s, kb) << QList<qint64>{16384, 16385}
                                          << QStringList{u"大于$10KB/"_s, u"大于$10KB/b16385.bin"_s};
        QTest::newRow("no condition selected is less than")
            << sizeFields(SizeCondition::Unselected, u"5"_s, kb) << QList<qint64>{5119, 5120}
            << QStringList{u"5KB/"_s, u"5KB/b5119.bin"_s};
        QTest::newRow("no unit selected is KB")
            << sizeFields(greater, u"5"_s, SizeUnit::Unselected) << QList<qint64>{5120, 5121}
            << QStringList{u"大于5/"_s, u"大于5/b5121.bin"_s};
    }
    void sort() {
        QFETCH(SizePageFields, fields);
        QFETCH(QList<qint64>, sizes);
        QFETCH(QStringList, tree);
        for (const qint64 size : sizes) {
            m_host.files.append(makeFileOfSize(sourceFolder(), size));
        }
        m_host.inputs.size = fields;
        RunSort(m_host);
        QCOMPARE(m_host.messages, QStringList{u"分拣工作完成！"_s});
        QCOMPARE(TreeOf(m_host.inputs.outputFolder), tree);
    }

    // Entries that cannot be measured are passed over: no copy and no progress step. A link to a file is measured.
    void unmeasurablesArePassedOver() {
        m_host.files = MakeUnmeasurables(sourceFolder() + u"/odd"_s);
        m_host.files.append(makeFileOfSize(sourceFolder(), 10));
        QVERIFY(QFile::link(u"b10.bin"_s, sourceFolder() + u"/link.bin"_s));
        m_host.files.append(QFile::encodeName(sourceFolder() + u"/link.bin"_s));
        m_host.inputs.size = sizeFields(greater, u"-1"_s, kb);
        RunSort(m_host);
        QCOMPARE(TreeOf(m_host.inputs.outputFolder),
                 (QStringList{u"大于-1KB/"_s, u"大于-1KB/b10.bin"_s, u"大于-1KB/link.bin"_s}));
        QCOMPARE(m_host.progress, (QList<int>{66, 83, 100, 0}));
    }

    void anUnreadableFileIsPassedOver() {
        const PermissionBitsBind bound;
        if (!bound.reason().isEmpty()) {
            QSKIP(qPrintable(bound.reason()));
        }
        const QByteArray path = makeFileOfSize(sourceFolder(), 10);
        QVERIFY(QFile::setPermissions(QFile::decodeName(path), {}));
        m_host.files = {path};
        m_host.inputs.size = sizeFields(greater, u"0"_s, kb);
        RunSort(m_host);
        QCOMPARE(TreeOf(m_host.inputs.outputFolder), QStringList{u"大于0KB/"_s});
        QCOMPARE(m_host.progress, (QList<int>{100, 0}));
    }
};

QTEST_GUILESS_MAIN(TestSizeCriterion)
#include "test_size_criterion.moc"

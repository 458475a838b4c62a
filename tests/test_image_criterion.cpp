#include "core/CriterionPage.h"
#include "engine/SortRun.h"
#include "engine/criteria/ImageProbe.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/MediaTools.h"
#include "testsupport/OutputTree.h"
#include "testsupport/PictureTypes.h"
#include "testsupport/RunChecks.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TestImages.h"
#include "testsupport/Unmeasurables.h"

#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <sys/inotify.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
constexpr PictureCondition atLeast = PictureCondition::AtLeast;
constexpr PictureCondition atMost = PictureCondition::AtMost;
constexpr PictureCondition exactly = PictureCondition::Exactly;

ImagePageFields imageFields(bool height, PictureCondition condition, const QString& limit) {
    return {height ? ImageDimension::Height : ImageDimension::Width, condition, limit};
}

int openDescriptorCount() {
    return int(QDir(u"/proc/self/fd"_s).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
}

// The names of the files in a folder that anything opened while this watched it, as the kernel reports them.
class OpenWatch {
public:
    explicit OpenWatch(const QString& folder) : m_inotify(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (m_inotify < 0 || ::inotify_add_watch(m_inotify, QFile::encodeName(folder).constData(), IN_OPEN) < 0) {
            qFatal("cannot watch the folder");
        }
    }
    ~OpenWatch() { ::close(m_inotify); }

    QSet<QString> openedNames() const {
        QSet<QString> names;
        alignas(struct inotify_event) char buffer[4096];
        ssize_t length = 0;
        while ((length = ::read(m_inotify, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const struct inotify_event*>(buffer + at);
                if (event->len > 0) {
                    names.insert(QFile::decodeName(event->name));
                }
                at += ssize_t(sizeof(struct inotify_event) + event->len);
            }
        }
        return names;
    }

private:
    int m_inotify;
};
} // namespace

Q_DECLARE_METATYPE(ImagePageFields)

// Page 5: pictures by width or height against a pixel limit, measured from the header alone.
class TestImageCriterion : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* m_dir = nullptr;
    FakeRunHost m_host;

    QString sourcePath(const QString& name) const { return m_dir->filePath(u"src/"_s + name); }

private slots:
    void init() {
        m_dir = new QTemporaryDir;
        QDir().mkpath(sourcePath(QString()));
        m_host = FakeRunHost();
        m_host.inputs.page = ImagePage;
        m_host.inputs.outputFolder = m_dir->filePath(u"out"_s);
        m_host.inputs.filter.pictureTypes = StandardPictureTypes();
    }
    void cleanup() { delete m_dir; }

    void probe_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");

        QTest::newRow("JPEG") << u"a.jpg"_s << QByteArray("jpg");
        QTest::newRow("PNG") << u"a.png"_s << QByteArray("png");
        QTest::newRow("GIF") << u"a.gif"_s << QByteArray("gif");
        QTest::newRow("BMP") << u"a.bmp"_s << QByteArray("bmp");
        QTest::newRow("TIFF") << u"a.tif"_s << QByteArray("tiff");
        QTest::newRow("WebP") << u"a.webp"_s << QByteArray("webp");
        QTest::newRow("recognised by content, not by name") << u"a.jp"_s << QByteArray("png");
        QTest::newRow("Chinese name") << u"图片.png"_s << QByteArray("png");
    }
    void probe() {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        if (!QImageReader::supportedImageFormats().contains(format)) {
            QSKIP("Qt has no plugin for this format here (qt6-image-formats-plugins)");
        }
        QVERIFY(WriteTestImage(sourcePath(name), format.constData(), 800, 600));
        const QByteArray path = QFile::encodeName(sourcePath(name));
        const int descriptorsBefore = openDescriptorCount();
        QCOMPARE(ProbeImageDimension(path, ImageDimension::Width), 800u);
        QCOMPARE(ProbeImageDimension(path, ImageDimension::Height), 600u);
        QCOMPARE(openDescriptorCount(), descriptorsBefore);
    }

    // HEIC, HEIF and AVIF are measured from their header through libheif, whatever Qt's plugins can read.
    void probeOfHeifPictures_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("HEIC") << u"a.heic"_s;
        QTest::newRow("AVIF") << u"a.avif"_s;
        QTest::newRow("HEIC named .heif") << u"a.heif"_s;
    }
    void probeOfHeifPictures() {
        QFETCH(QString, name);
        const MediaTools tools;
        if (const QString missing = tools.missing(); !missing.isEmpty()) {
            QSKIP(qPrintable(missing));
        }
        const QString source = sourcePath(u"source.jpg"_s);
        QCOMPARE(tools.makePicture(source, 80, 60), QString());
        const QString encoded = sourcePath(name.endsWith(u".heif"_s) ? u"b.heic"_s : name);
        QCOMPARE(tools.encodeHeif(source, encoded), QString());
        QVERIFY(encoded == sourcePath(name) || QFile::rename(encoded, sourcePath(name)));
        const QByteArray path = QFile::encodeName(sourcePath(name));
        QCOMPARE(ProbeImageDimension(path, ImageDimension::Width), 80u);
        QCOMPARE(ProbeImageDimension(path, ImageDimension::Height), 60u);
    }

    void probeOfANameThatIsNotUtf8() {
        QVERIFY(WriteTestImage(sourcePath(u"made.png"_s), "png", 30, 20));
        const QByteArray path = QFile::encodeName(sourcePath(QString())) + "/\xff\xfe.png";
        QCOMPARE(::rename(QFile::encodeName(sourcePath(u"made.png"_s)).constData(), path.constData()), 0);
        QCOMPARE(ProbeImageDimension(path, ImageDimension::Width), 30u);
        // QTemporaryDir removes by decoded names, which cannot spell this one.
        QCOMPARE(::unlink(path.constData()), 0);
    }

    void probeGivesZero_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text file") << QByteArray("this is not a picture\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("PNG cut inside its header") << QByteArray::fromHex("89504e470d0a1a0a0000000d4948");
    }
    void probeGivesZero() {
        QFETCH(QByteArray, content);
        const QByteArray path = WriteTestFile(sourcePath(u"x.jpg"_s), content);
        QCOMPARE(ProbeImageDimension(path, ImageDimension::Width), 0u);
        QCOMPARE(ProbeImageDimension(path, ImageDimension::Height), 0u);
    }

    void probeGivesZeroForUnmeasurables() {
        for (const QByteArray& path : MakeUnmeasurables(sourcePath(u"odd"_s))) {
            QCOMPARE(ProbeImageDimension(path, ImageDimension::Width), 0u);
        }
    }

    void refused_data() {
        QTest::addColumn<QString>("limit");
        QTest::newRow("2147483648") << u"2147483648"_s;
        QTest::newRow("-2147483649") << u"-2147483649"_s;
        QTest::newRow("empty") << QString();
        QTest::newRow("blank") << u"  "_s;
        QTest::newRow("trailing blank") << u"800 "_s;
        QTest::newRow("fraction") << u"8.5"_s;
    }
    void refused() {
        QFETCH(QString, limit);
        m_host.files = {WriteTestFile(sourcePath(u"a.png"_s))};
        m_host.inputs.image = imageFields(false, atLeast, limit);
        RunSort(m_host);
        CheckRunRefused(m_host, u"请输入正确的图片宽高!"_s, InputField::PixelLimit);
    }

    void sort_data() {
        QTest::addColumn<ImagePageFields>("fields");
        QTest::addColumn<QStringList>("tree");

        const auto placedIn = [](const QString& folder) { return QStringList{folder + u"/"_s, folder + u"/p.png"_s}; };
        // The picture is 800 wide and 600 high.
        QTest::newRow("800 is at least 800") << imageFields(false, atLeast, u"800"_s) << placedIn(u"大于等于800"_s);
        QTest::newRow("800 is at most 800") << imageFields(false, atMost, u"800"_s) << placedIn(u"小于等于800"_s);
        QTest::newRow("800 is exactly 800") << imageFields(false, exactly, u"800"_s) << placedIn(u"等于800"_s);
        QTest::newRow("800 is not at least 801")
            << imageFields(false, atLeast, u"801"_s) << QStringList{u"大于等于801/"_s};
        QTest::newRow("800 is not at most 799")
            << imageFields(false, atMost, u"799"_s) << QStringList{u"小于等于799/"_s};
        QTest::newRow("height 600 is exactly 600") << imageFields(true, exactly, u"600"_s) << placedIn(u"等于600"_s);
        QTest::newRow("height 600 is not exactly 800")
            << imageFields(true, exactly, u"800"_s) << QStringList{u"等于800/"_s};
        QTest::newRow("at least 0 takes every picture")
            << imageFields(false, atLeast, u"0"_s) << placedIn(u"大于等于0"_s);
        QTest::newRow("at most 0 takes nothing") << imageFields(false, atMost, u"0"_s) << QStringList{u"小于等于0/"_s};
        QTest::newRow("at least -5 takes every picture")
            << imageFields(false, atLeast, u"-5"_s) << placedIn(u"大于等于-5"_s);
        QTest::newRow("at most -5 takes nothing")
            << imageFields(false, atMost, u"-5"_s) << QStringList{u"小于等于-5/"_s};
        QTest::newRow("exactly -5 takes nothing") << imageFields(false, exactly, u"-5"_s) << QStringList{u"等于-5/"_s};
        QTest::newRow("largest limit accepted")
            << imageFields(false, atMost, u"2147483647"_s) << placedIn(u"小于等于2147483647"_s);
        QTest::newRow("hexadecimal limit") << imageFields(false, exactly, u"$320"_s) << placedIn(u"等于$320"_s);
        QTest::newRow("leading spaces stay in the folder name")
            << imageFields(false, exactly, u"  800"_s) << placedIn(u"等于  800"_s);
        QTest::newRow("no condition selected matches nothing")
            << imageFields(false, PictureCondition::Unselected, u"800"_s) << QStringList{u"800/"_s};
    }
    void sort() {
        QFETCH(ImagePageFields, fields);
        QFETCH(QStringList, tree);
        QVERIFY(WriteTestImage(sourcePath(u"p.png"_s), "png", 800, 600));
        m_host.files = {QFile::encodeName(sourcePath(u"p.png"_s))};
        m_host.inputs.image = fields;
        RunSort(m_host);
        QCOMPARE(m_host.messages, QStringList{u"分拣工作完成！"_s});
        QCOMPARE(TreeOf(m_host.inputs.outputFolder), tree);
    }

    // Files that cannot be measured are passed over: no copy and no progress step.
    void unmeasurablesArePassedOver() {
        m_host.files = MakeUnmeasurables(sourcePath(u"odd"_s));
        m_host.files.append(WriteTestFile(sourcePath(u"text.jpg"_s), "not a picture"));
        m_host.files.append(WriteTestFile(sourcePath(u"cut.png"_s), QByteArray::fromHex("89504e470d0a1a0a00")));
        QVERIFY(WriteTestImage(sourcePath(u"p.gif"_s), "gif", 40, 30));
        m_host.files.append(QFile::encodeName(sourcePath(u"p.gif"_s)));
        m_host.inputs.image = imageFields(false, atLeast, u"0"_s);
        RunSort(m_host);
        QCOMPARE(TreeOf(m_host.inputs.outputFolder), (QStringList{u"大于等于0/"_s, u"大于等于0/p.gif"_s}));
        QCOMPARE(m_host.progress, (QList<int>{85, 100, 0}));
    }

    // The picture-type test comes first: a file it rejects is never opened, as the kernel's record of opened files
    // shows.
    void aRejectedFileIsNeverOpened() {
        QVERIFY(WriteTestImage(sourcePath(u"a.jxl"_s), "png", 10, 10));
        QVERIFY(WriteTestImage(sourcePath(u"b.tiff"_s), "tiff", 10, 10));
        QVERIFY(WriteTestImage(sourcePath(u"c.jpg"_s), "jpg", 10, 10));
        QVERIFY(WriteTestImage(sourcePath(u"d.png"_s), "png", 10, 10));
        for (const QString& name : {u"a.jxl"_s, u"b.tiff"_s, u"c.jpg"_s, u"d.png"_s}) {
            m_host.files.append(QFile::encodeName(sourcePath(name)));
        }
        m_host.inputs.filter.pictureTypes[0].ticked = false; // *.JPG;*.JPEG
        m_host.inputs.image = imageFields(false, atLeast, u"0"_s);
        const OpenWatch watch(sourcePath(QString()));
        RunSort(m_host);
        QCOMPARE(watch.openedNames(), QSet<QString>{u"d.png"_s});
        QCOMPARE(TreeOf(m_host.inputs.outputFolder), (QStringList{u"大于等于0/"_s, u"大于等于0/d.png"_s}));
    }
};

QTEST_GUILESS_MAIN(TestImageCriterion)
#include "test_image_criterion.moc"

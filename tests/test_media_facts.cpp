#include "media/MediaFacts.h"
#include "testsupport/MediaTools.h"
#include "testsupport/TestFiles.h"
#include "testsupport/Unmeasurables.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <libheif/heif.h>

#include <ctime>
#include <dirent.h>

using namespace Qt::StringLiterals;

namespace {

// How a row's file is changed after its writer made it.
enum class Change {
    None,
    DamagedExif,        // the TIFF header's offset to its first directory points far past the EXIF block
    DamagedHeifExif,    // the HEIF EXIF block's offset to its TIFF header points past the block
    RenamedToText,      // the file renamed to .txt: its content decides
    MovieAfterHugeData, // a 5 GB media data box (64-bit size, a hole) before the movie box
    MovieToTheEnd,      // the movie box's size is 0: it runs to the end of the file
    NothingFor2GB,      // 2 GB of nothing (a hole) named .jpg
    JpegStartThen2GB,   // a JPEG start of image followed by 2 GB of nothing
};

// The file's kind: a picture written by ImageMagick (HEIC and AVIF encoded from a JPEG by heif-enc), or a movie made of
// a file type box and a movie box holding an mvhd box of the version given, with the brand given.
struct Sample {
    QString format; // jpg, tif, png, webp, heic, avif, or movie
    QByteArray brand = "isom";
    int movieHeaderVersion = 0;
};

// This machine's zone for every row: UTC+8 without summer time, a POSIX zone that needs no time zone database.
constexpr char kZone[] = "CST-8";

QByteArray box(const char* type, const QByteArray& content) {
    QByteArray bytes(4, '\0');
    qToBigEndian(quint32(8 + content.size()), bytes.data());
    return bytes + type + content;
}

// A movie with no media, its creation time 0 for exiftool to set.
QByteArray movie(const QByteArray& brand, int version) {
    const QByteArray fileType = box("ftyp", brand + QByteArray::fromHex("00000200") + brand + "mp41");
    // Version and flags, the creation and modification times (0), the time scale (1000) and the duration (0): the
    // times and the duration take 32 bits in version 0 and 64 bits in version 1.
    QByteArray header = QByteArray::fromHex(version == 0 ? "00000000"
                                                           "00000000"
                                                           "00000000"
                                                           "000003e8"
                                                           "00000000"
                                                         : "01000000"
                                                           "0000000000000000"
                                                           "0000000000000000"
                                                           "000003e8"
                                                           "0000000000000000");
    // Rate 1.0, volume 1.0, reserved, the unit matrix, predefined fields and the next track number.
    header += QByteArray::fromHex("00010000"
                                  "0100"
                                  "00000000000000000000"
                                  "000100000000000000000000000000000001000000000000000000000000000040000000") +
              QByteArray(24, '\0') + QByteArray::fromHex("00000002");
    return fileType + box("moov", box("mvhd", header));
}

// Where needle is in the content of the file a row changes.
qsizetype offsetOf(const QByteArray& content, const QByteArray& needle) {
    const qsizetype at = content.indexOf(needle);
    if (at < 0) {
        qFatal("the written file lacks what the row changes");
    }
    return at;
}

void putBigEndian32(QByteArray& content, qsizetype at, quint32 value) {
    qToBigEndian(value, content.data() + at);
}

// The bytes this process has read through read(2) and pread(2) so far; -1 where /proc does not say.
qint64 bytesReadSoFar() {
    const QByteArray io = ReadTestFile(u"/proc/self/io"_s);
    const qsizetype at = io.indexOf("rchar: ");
    return at < 0 ? -1 : io.mid(at + 7, io.indexOf('\n', at) - at - 7).toLongLong();
}

// The calendar date and time of taken, "yyyy-MM-dd HH:mm:ss"; empty when it has none.
QString calendarText(const TakenDate& taken) {
    return taken.exists() ? taken.date().toString(u"yyyy-MM-dd"_s) + u' ' + taken.time().toString(u"HH:mm:ss"_s)
                          : QString();
}

int openDescriptorCount() {
    DIR* folder = ::opendir("/proc/self/fd");
    int count = 0;
    while (folder != nullptr && ::readdir(folder) != nullptr) {
        ++count;
    }
    if (folder != nullptr) {
        ::closedir(folder);
    }
    return count;
}

// A HEIC picture whose pixels are width × height and whose transformation property turns it a quarter to the right
// when shown, written through libheif's own encoder; empty on success, otherwise why not.
QString writeTurnedHeic(const QByteArray& path, int width, int height) {
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_image* image = nullptr;
    QString failure;
    if (heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code != heif_error_Ok) {
        failure = u"libheif has no HEVC encoder here"_s;
    } else if (heif_image_create(width, height, heif_colorspace_YCbCr, heif_chroma_420, &image).code != heif_error_Ok ||
               heif_image_add_plane(image, heif_channel_Y, width, height, 8).code != heif_error_Ok ||
               heif_image_add_plane(image, heif_channel_Cb, width / 2, height / 2, 8).code != heif_error_Ok ||
               heif_image_add_plane(image, heif_channel_Cr, width / 2, height / 2, 8).code != heif_error_Ok) {
        failure = u"libheif cannot make an image"_s;
    } else {
        heif_encoding_options* options = heif_encoding_options_alloc();
        options->image_orientation = heif_orientation_rotate_90_cw;
        if (heif_context_encode_image(context, image, encoder, options, nullptr).code != heif_error_Ok ||
            heif_context_write_to_file(context, path.constData()).code != heif_error_Ok) {
            failure = u"libheif cannot encode a turned picture"_s;
        }
        heif_encoding_options_free(options);
    }
    if (image != nullptr) {
        heif_image_release(image);
    }
    if (encoder != nullptr) {
        heif_encoder_release(encoder);
    }
    heif_context_free(context);
    return failure;
}

} // namespace

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(Sample)
Q_DECLARE_METATYPE(TakenDate::Kind)

// The taken date and the HEIF picture size, read from files that exiftool, ImageMagick and libheif wrote.
class TestMediaFacts : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    MediaTools m_tools;

    // The row's file, made at path by its writers, tagged by exiftool with tags, then changed; empty on success,
    // otherwise why it could not be made.
    QString makeSample(const QString& path, const Sample& sample, const QStringList& tags, Change change) const {
        QString failure;
        if (sample.format == u"movie"_s) {
            WriteTestFile(path, movie(sample.brand, sample.movieHeaderVersion));
        } else if (sample.format == u"heic"_s || sample.format == u"avif"_s) {
            const QString source = path + u".jpg"_s;
            failure = m_tools.makePicture(source, 64, 48);
            failure = failure.isEmpty() ? m_tools.encodeHeif(source, path) : failure;
        } else {
            failure = m_tools.makePicture(path, 64, 48);
        }
        if (failure.isEmpty() && !tags.isEmpty()) {
            failure = m_tools.writeTags(tags + QStringList{path});
        }
        return failure.isEmpty() ? applyChange(path, change) : failure;
    }

    static QString applyChange(const QString& path, Change change) {
        QByteArray content = ReadTestFile(path);
        switch (change) {
        case Change::None:
            return {};
        case Change::RenamedToText:
            return QFile::rename(path, path + u".txt"_s) ? QString() : u"cannot rename"_s;
        case Change::DamagedExif:
            putBigEndian32(content, offsetOf(content, QByteArray("Exif\0\0MM\0*", 10)) + 10, 0x7fff0000);
            break;
        case Change::DamagedHeifExif:
            putBigEndian32(content, offsetOf(content, QByteArray("Exif\0\0MM\0*", 10)) - 4, 0x7fff0000);
            break;
        case Change::MovieToTheEnd:
            putBigEndian32(content, offsetOf(content, "moov") - 4, 0);
            break;
        case Change::MovieAfterHugeData: {
            // ftyp, then a media data box of 5 GB (size 1: the 64-bit size follows) that is a hole, then moov.
            const qsizetype movieAt = offsetOf(content, "moov") - 4;
            constexpr qint64 dataSize = 5LL << 30;
            QByteArray dataHeader = QByteArray::fromHex("00000001") + "mdat" + QByteArray(8, '\0');
            qToBigEndian(quint64(dataSize), dataHeader.data() + 8);
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(content.left(movieAt) + dataHeader) < 0 ||
                !file.resize(movieAt + dataSize) || !file.seek(movieAt + dataSize) ||
                file.write(content.mid(movieAt)) < 0) {
                return u"cannot write a 5 GB file with a hole here"_s;
            }
            return {};
        }
        case Change::NothingFor2GB:
        case Change::JpegStartThen2GB: {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) ||
                file.write(change == Change::JpegStartThen2GB ? QByteArray::fromHex("ffd8") : QByteArray()) < 0 ||
                !file.resize(2LL << 30)) {
                return u"cannot write a 2 GB file with a hole here"_s;
            }
            return {};
        }
        }
        WriteTestFile(path, content);
        return {};
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("TZ", kZone);
        ::tzset();
    }

    void takenDate_data() {
        QTest::addColumn<Sample>("sample");
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<Change>("change");
        QTest::addColumn<TakenDate::Kind>("kind");
        // The calendar date and time that folders use, and the moment in UTC.
        QTest::addColumn<QString>("calendar");
        QTest::addColumn<QString>("utc");

        const QString original = u"-DateTimeOriginal=2021:03:04 05:06:07"_s;
        const auto asWritten = TakenDate::Kind::AsWritten;
        const auto none = TakenDate::Kind::None;
        const QString written = u"2021-03-04 05:06:07"_s;
        const QString writtenInUtc = u"2021-03-03T21:06:07Z"_s; // read in this machine's zone, UTC+8
        for (const QString& format : {u"jpg"_s, u"tif"_s, u"png"_s, u"webp"_s, u"heic"_s, u"avif"_s}) {
            QTest::addRow("%s: DateTimeOriginal", qPrintable(format))
                << Sample{format} << QStringList{original} << Change::None << asWritten << written << writtenInUtc;
            QTest::addRow("%s: no date", qPrintable(format))
                << Sample{format} << QStringList() << Change::None << none << QString() << QString();
        }
        for (const QString& format : {u"jpg"_s, u"heic"_s}) {
            QTest::addRow("%s: with OffsetTimeOriginal", qPrintable(format))
                << Sample{format} << QStringList{original, u"-OffsetTimeOriginal=+05:30"_s} << Change::None
                << TakenDate::Kind::WithOffset << written << u"2021-03-03T23:36:07Z"_s;
        }
        QTest::newRow("CreateDate with OffsetTimeDigitized, where there is no DateTimeOriginal")
            << Sample{u"jpg"_s}
            << QStringList{u"-CreateDate=2019:12:31 23:59:58"_s, u"-OffsetTimeDigitized=-03:00"_s,
                           u"-OffsetTimeOriginal=+01:00"_s}
            << Change::None << TakenDate::Kind::WithOffset << u"2019-12-31 23:59:58"_s << u"2020-01-01T02:59:58Z"_s;
        QTest::newRow("DateTimeOriginal before CreateDate")
            << Sample{u"jpg"_s} << QStringList{original, u"-CreateDate=2019:12:31 23:59:58"_s} << Change::None
            << asWritten << written << writtenInUtc;
        QTest::newRow("a blank DateTimeOriginal, then CreateDate")
            << Sample{u"jpg"_s}
            << QStringList{u"-n"_s, u"-DateTimeOriginal=    :  :     :  :  "_s, u"-CreateDate=2019:12:31 23:59:58"_s}
            << Change::None << asWritten << u"2019-12-31 23:59:58"_s << u"2019-12-31T15:59:58Z"_s;
        QTest::newRow("a blank DateTimeOriginal alone")
            << Sample{u"jpg"_s} << QStringList{u"-n"_s, u"-DateTimeOriginal=    :  :     :  :  "_s} << Change::None
            << none << QString() << QString();
        QTest::newRow("a zero DateTimeOriginal and CreateDate")
            << Sample{u"jpg"_s}
            << QStringList{u"-n"_s, u"-DateTimeOriginal=0000:00:00 00:00:00"_s, u"-CreateDate=0000:00:00 00:00:00"_s}
            << Change::None << none << QString() << QString();
        QTest::newRow("an impossible date")
            << Sample{u"jpg"_s} << QStringList{u"-n"_s, u"-DateTimeOriginal=2021:02:30 05:06:07"_s} << Change::None
            << none << QString() << QString();
        QTest::newRow("a damaged EXIF block")
            << Sample{u"jpg"_s} << QStringList{original} << Change::DamagedExif << none << QString() << QString();
        QTest::newRow("a damaged HEIF EXIF block")
            << Sample{u"heic"_s} << QStringList{original} << Change::DamagedHeifExif << none << QString() << QString();
        QTest::newRow("a JPEG named .txt") << Sample{u"jpg"_s} << QStringList{original} << Change::RenamedToText
                                           << asWritten << written << writtenInUtc;
        QTest::newRow("a HEIC named .txt") << Sample{u"heic"_s} << QStringList{original} << Change::RenamedToText
                                           << asWritten << written << writtenInUtc;
        QTest::newRow("2 GB of nothing named .jpg")
            << Sample{u"jpg"_s} << QStringList() << Change::NothingFor2GB << none << QString() << QString();
        QTest::newRow("a JPEG start, then 2 GB of nothing")
            << Sample{u"jpg"_s} << QStringList() << Change::JpegStartThen2GB << none << QString() << QString();

        // exiftool converts a QuickTime time to UTC, as it is stored, when told that it is stored so.
        const QString inUtc = u"-api"_s;
        const QString quickTimeUtc = u"QuickTimeUTC=1"_s;
        const QString movieDate = u"-QuickTime:CreateDate=2020:01:02 03:04:05Z"_s;
        const QString movieCalendar = u"2020-01-02 11:04:05"_s; // in this machine's zone, UTC+8
        const QString movieUtc = u"2020-01-02T03:04:05Z"_s;
        const auto utc = TakenDate::Kind::Utc;
        QTest::newRow("MP4, mvhd version 0") << Sample{u"movie"_s, "isom", 0} << QStringList{movieDate} << Change::None
                                             << utc << movieCalendar << movieUtc;
        QTest::newRow("MP4, mvhd version 1") << Sample{u"movie"_s, "isom", 1} << QStringList{movieDate} << Change::None
                                             << utc << movieCalendar << movieUtc;
        QTest::newRow("MOV, a time given with its offset")
            << Sample{u"movie"_s, "qt  ", 0}
            << QStringList{inUtc, quickTimeUtc, u"-QuickTime:CreateDate=2020:01:02 05:04:05+02:00"_s} << Change::None
            << utc << movieCalendar << movieUtc;
        QTest::newRow("3GP") << Sample{u"movie"_s, "3gp4", 1} << QStringList{movieDate} << Change::None << utc
                             << movieCalendar << movieUtc;
        QTest::newRow("MP4, creation time 0")
            << Sample{u"movie"_s, "isom", 0} << QStringList() << Change::None << none << QString() << QString();
        QTest::newRow("MP4, movie box to the end of the file")
            << Sample{u"movie"_s, "mp42", 0} << QStringList{movieDate} << Change::MovieToTheEnd << utc << movieCalendar
            << movieUtc;
        QTest::newRow("MP4, movie box after 5 GB of media data")
            << Sample{u"movie"_s, "isom", 1} << QStringList{movieDate} << Change::MovieAfterHugeData << utc
            << movieCalendar << movieUtc;
    }
    void takenDate() {
        QFETCH(Sample, sample);
        QFETCH(QStringList, tags);
        QFETCH(Change, change);
        QFETCH(TakenDate::Kind, kind);
        QFETCH(QString, calendar);
        QFETCH(QString, utc);
        if (!m_tools.missing().isEmpty()) {
            QSKIP(qPrintable(m_tools.missing()));
        }
        const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(u'/', u'_');
        const QString made =
            m_dir.filePath(u"%1.%2"_s.arg(name, sample.format == u"movie"_s ? u"mp4"_s : sample.format));
        if (const QString failure = makeSample(made, sample, tags, change); !failure.isEmpty()) {
            QSKIP(qPrintable(failure));
        }
        const QString path = change == Change::RenamedToText ? made + u".txt"_s : made;

        const int descriptorsBefore = openDescriptorCount();
        const qint64 readBefore = bytesReadSoFar();
        const TakenDate taken = ReadTakenDate(QFile::encodeName(path));
        const qint64 read = bytesReadSoFar() - readBefore;
        QFile::remove(path);

        QCOMPARE(taken.kind(), kind);
        QCOMPARE(taken.exists(), kind != TakenDate::Kind::None);
        QCOMPARE(calendarText(taken), calendar);
        QCOMPARE(taken.moment().toUTC().toString(Qt::ISODate), utc);
        QCOMPARE(openDescriptorCount(), descriptorsBefore);
        // Headers only: however large the file, a few megabytes at most are read.
        if (readBefore < 0) {
            QSKIP("/proc/self/io is not there to count the bytes read");
        }
        QVERIFY2(read < 40 << 20, qPrintable(u"%1 bytes read"_s.arg(read)));
    }

    void heifDisplaySize_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");

        QTest::newRow("HEIC") << u"heic"_s << u"a.heic"_s << QSize(64, 48);
        QTest::newRow("AVIF") << u"avif"_s << u"a.avif"_s << QSize(64, 48);
        QTest::newRow("HEIC turned a quarter") << u"turned"_s << u"turned.heic"_s << QSize(48, 64);
        QTest::newRow("HEIC named .jpg") << u"heic"_s << u"a.jpg"_s << QSize(64, 48);
        QTest::newRow("JPEG") << u"jpg"_s << u"b.jpg"_s << QSize();
    }
    void heifDisplaySize() {
        QFETCH(QString, format);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        if (!m_tools.missing().isEmpty()) {
            QSKIP(qPrintable(m_tools.missing()));
        }
        const QString path = m_dir.filePath(name);
        QString failure;
        if (format == u"turned"_s) {
            failure = writeTurnedHeic(QFile::encodeName(path), 64, 48);
        } else if (format == u"jpg"_s) {
            failure = m_tools.makePicture(path, 64, 48);
        } else {
            // heif-enc encodes as the output's extension says, so the picture is renamed afterwards.
            const QString source = m_dir.filePath(u"made.jpg"_s);
            const QString encoded = m_dir.filePath(u"made."_s + format);
            failure = m_tools.makePicture(source, 64, 48);
            failure = failure.isEmpty() ? m_tools.encodeHeif(source, encoded) : failure;
            if (failure.isEmpty() && !QFile::rename(encoded, path)) {
                failure = u"cannot rename"_s;
            }
        }
        if (!failure.isEmpty()) {
            QSKIP(qPrintable(failure));
        }
        QCOMPARE(ReadHeifDisplaySize(QFile::encodeName(path)), size);
    }

    // A FIFO, a folder, a missing file and a dangling link: nothing to read, and nothing waited on.
    void unreadableEntries() {
        QElapsedTimer timer;
        timer.start();
        for (const QByteArray& path : MakeUnmeasurables(m_dir.filePath(u"unreadable"_s))) {
            QVERIFY2(!ReadTakenDate(path).exists(), path.constData());
            QVERIFY2(!ReadHeifDisplaySize(path).isValid(), path.constData());
        }
        QVERIFY(timer.elapsed() < 10'000);
    }
};

QTEST_GUILESS_MAIN(TestMediaFacts)
#include "test_media_facts.moc"

#include "presets/PresetStore.h"
#include "settings/IniDocument.h"
#include "settings/ParameterKeys.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>

#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<PresetNameFault>)

namespace {

// Inputs in which every field differs from its default, so that a key lost on the way shows.
RunInputs everyFieldSet() {
    RunInputs inputs;
    inputs.page = ImagePage;
    inputs.keywords = u"发票 invoice"_s;
    inputs.name = {true, u"2"_s, u"5"_s, u"IMG_*副本"_s, true};
    inputs.size = {SizeCondition::Smaller, u"300"_s, SizeUnit::MB};
    inputs.date = {DateKind::TakenTime, DateCondition::Later, QDate(2026, 12, 9), QTime(7, 5, 3)};
    inputs.image = {ImageDimension::Height, PictureCondition::Exactly, u"1080"_s};
    inputs.dateFolders = {u"%Y/%m-%d"_s, DateSource::Created};
    inputs.filter.exclude = true;
    inputs.filter.typeList = {u"*.tmp"_s, u"*.part"_s};
    inputs.filter.pictureTypes = {{u"*.JPG;*.JPEG"_s, false}, {u"*.BMP"_s, true},  {u"*.GIF"_s, false},
                                  {u"*.PNG"_s, true},         {u"*.TIF"_s, false}, {u"*.WEBP"_s, true},
                                  {u"*.HEIC"_s, false},       {u"*.HEIF"_s, true}, {u"*.AVIF"_s, false}};
    inputs.outputFolder = u"/no/such/folder yet/"_s;
    inputs.move = true;
    inputs.policy = SameNamePolicy::Rename;
    inputs.skipIdentical = true;
    return inputs;
}

QByteArray savedFile(const RunInputs& inputs) {
    IniDocument document;
    if (WritePresetKeys(inputs, document)) {
        return {};
    }
    return document.toBytes();
}

QByteArray withValue(QByteArray file, const QByteArray& key, const QByteArray& value) {
    IniDocument document(file);
    document.setValue(kParameterSection, key, value);
    return document.toBytes();
}

} // namespace

// The saved sorts: their names and file names, the keys they keep, and the files in their folder.
class TestPresets : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_config; // stands in for ~/.config
    QString m_folder;

private slots:
    void initTestCase() {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        m_folder = PresetsFolder();
    }

    void cleanup() { QDir(m_folder).removeRecursively(); }

    void folderFollowsConfigurationHome() { QCOMPARE(m_folder, m_config.path() + u"/Varnoth/presets"_s); }

    void namesAndFileNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<std::optional<PresetNameFault>>("fault");
        QTest::addColumn<QByteArray>("fileName");
        const std::optional<PresetNameFault> none;
        QTest::newRow("plain") << u"Downloads"_s << none << QByteArray("Downloads.ini");
        QTest::newRow("space, percent") << u"50% off"_s << none << QByteArray("50%25%20off.ini");
        QTest::newRow("leading dot only") << u".a.b"_s << none << QByteArray("%2Ea.b.ini");
        QTest::newRow("tab and markup") << u"<b>\t&"_s << none << QByteArray("<b>%09&.ini");
        QTest::newRow("chinese") << u"照片"_s << none << u"照片.ini"_s.toUtf8();
        QTest::newRow("200 bytes") << QString(200, u'x') << none << QString(200, u'x').toUtf8() + ".ini";
        QTest::newRow("empty") << QString() << std::optional(PresetNameFault::Empty) << QByteArray();
        QTest::newRow("201 bytes") << QString(67, u'照') << std::optional(PresetNameFault::TooLong) << QByteArray();
        QTest::newRow("escapes too long")
            << QString(90, u' ') << std::optional(PresetNameFault::TooLong) << QByteArray();
        QTest::newRow("slash") << u"a/b"_s << std::optional(PresetNameFault::ForbiddenChar) << QByteArray();
        QTest::newRow("nul") << u"a\0b"_s << std::optional(PresetNameFault::ForbiddenChar) << QByteArray();
        QTest::newRow("line feed") << u"a\nb"_s << std::optional(PresetNameFault::ForbiddenChar) << QByteArray();
        QTest::newRow("return") << u"a\rb"_s << std::optional(PresetNameFault::ForbiddenChar) << QByteArray();
        QTest::newRow("line separator") << u"a\x2028"_s << std::optional(PresetNameFault::ForbiddenChar)
                                        << QByteArray();
    }

    void namesAndFileNames() {
        QFETCH(QString, name);
        QFETCH(std::optional<PresetNameFault>, fault);
        QFETCH(QByteArray, fileName);
        QCOMPARE(CheckPresetName(name), fault);
        if (!fault) {
            QCOMPARE(PresetFileName(name), fileName);
            QCOMPARE(PresetNameOfFile(fileName), std::optional(name));
        }
    }

    // Only the one spelling that a save writes stands for a saved sort.
    void strayFileNamesAreNoPresets() {
        for (const QByteArray& fileName :
             {QByteArray("a b.ini"), QByteArray("%2e.ini"), QByteArray(".hidden.ini"), QByteArray("x.txt"),
              QByteArray("%FF.ini"), QByteArray("a%0Ab.ini"), QByteArray(".ini")}) {
            QVERIFY2(!PresetNameOfFile(fileName), fileName.constData());
        }
    }

    void everyFieldRoundTrips() {
        const RunInputs inputs = everyFieldSet();
        QVERIFY(!SavePreset(u"全部"_s, inputs));
        const auto loaded = LoadPreset(u"全部"_s);
        QVERIFY(std::holds_alternative<RunInputs>(loaded));
        QVERIFY(std::get<RunInputs>(loaded) == inputs);
        const QByteArray file = ReadTestFile(PresetFilePath(u"全部"_s));
        QVERIFY(file.startsWith("[Parameter]\n"));
        QVERIFY(file.contains("\nDTDate=2026-12-09\n"));
        QVERIFY(file.contains("\nDTTime=07:05:03\n"));
        QVERIFY(file.contains("\nOutDir=/no/such/folder yet/\n"));
        QVERIFY(file.contains("\nFilterMode=2\n"));
        QVERIFY(file.contains("\nPictureTypes=*.BMP|*.PNG|*.WEBP|*.HEIF|\n"));
        QVERIFY(file.contains("\nSameFile=3\n"));
        QVERIFY(file.contains("\nFileAttr=1\nTakenTime=1\n"));
    }

    // A value the file cannot hold is refused, naming its key, and never loads as a default.
    void unreadableValuesAreRefused_data() {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<std::optional<QByteArray>>("value"); // nothing: the key is missing
        QTest::newRow("page too high") << QByteArray("Page") << std::optional<QByteArray>("7");
        QTest::newRow("page not a number") << QByteArray("Page") << std::optional<QByteArray>("five");
        QTest::newRow("page hexadecimal") << QByteArray("Page") << std::optional<QByteArray>("0x2");
        QTest::newRow("regional date") << QByteArray("DTDate") << std::optional<QByteArray>("09.12.2026");
        QTest::newRow("no such day") << QByteArray("DTDate") << std::optional<QByteArray>("2026-02-30");
        QTest::newRow("short time") << QByteArray("DTTime") << std::optional<QByteArray>("7:05");
        QTest::newRow("policy") << QByteArray("SameFile") << std::optional<QByteArray>("4");
        QTest::newRow("move as word") << QByteArray("Move") << std::optional<QByteArray>("yes");
        QTest::newRow("filter mode") << QByteArray("FilterMode") << std::optional<QByteArray>("3");
        QTest::newRow("size unit") << QByteArray("CmbUnit") << std::optional<QByteArray>("2");
        QTest::newRow("picture type") << QByteArray("PictureTypes") << std::optional<QByteArray>("*.XYZ|");
        QTest::newRow("picture list end") << QByteArray("PictureTypes") << std::optional<QByteArray>("*.PNG");
        QTest::newRow("date source") << QByteArray("DateSource") << std::optional<QByteArray>("-1");
        QTest::newRow("not utf-8") << QByteArray("OutDir") << std::optional<QByteArray>("/tmp/\xff");
        QTest::newRow("missing key") << QByteArray("SkipIdentical") << std::optional<QByteArray>();
    }

    void unreadableValuesAreRefused() {
        QFETCH(QByteArray, key);
        QFETCH(std::optional<QByteArray>, value);
        QByteArray file = savedFile(everyFieldSet());
        if (value) {
            file = withValue(file, key, *value);
        } else {
            file.replace("\n" + key + "=1\n", "\n");
        }
        QVERIFY(QDir().mkpath(m_folder));
        WriteTestFile(PresetFilePath(u"p"_s), file);
        const auto loaded = LoadPreset(u"p"_s);
        QVERIFY(std::holds_alternative<PresetError>(loaded));
        const PresetError& error = std::get<PresetError>(loaded);
        QCOMPARE(error.kind, PresetError::Kind::Key);
        QCOMPARE(error.keyFault.key, key);
        QCOMPARE(error.keyFault.kind, value ? PresetKeyFault::Kind::Unreadable : PresetKeyFault::Kind::Missing);
    }

    // A value that would come back changed is not saved, and the saved sort of that name stays as it was.
    void unkeepableValueSavesNothing() {
        QVERIFY(!SavePreset(u"p"_s, everyFieldSet()));
        const QByteArray before = ReadTestFile(PresetFilePath(u"p"_s));
        for (const QString& folder : {u"/tmp/out "_s, u"/tmp/a\nb"_s}) {
            RunInputs inputs = everyFieldSet();
            inputs.outputFolder = folder;
            const std::optional<PresetError> error = SavePreset(u"p"_s, inputs);
            QVERIFY(error);
            QCOMPARE(error->kind, PresetError::Kind::Key);
            QCOMPARE(error->keyFault.key, QByteArray("OutDir"));
            QCOMPARE(ReadTestFile(PresetFilePath(u"p"_s)), before);
        }
    }

    // Replacing a saved sort keeps the lines of its file that are no keys of it, as another tool may add them.
    void replacingKeepsForeignLines() {
        QVERIFY(QDir().mkpath(m_folder));
        WriteTestFile(PresetFilePath(u"p"_s), "; mine\n[Parameter]\nWatchFolders=/home/u/Downloads\nMove=0\n");
        QVERIFY(!SavePreset(u"p"_s, everyFieldSet()));
        const QByteArray file = ReadTestFile(PresetFilePath(u"p"_s));
        QVERIFY(file.startsWith("; mine\n[Parameter]\nWatchFolders=/home/u/Downloads\nMove=1\n"));
        QVERIFY(std::get<RunInputs>(LoadPreset(u"p"_s)) == everyFieldSet());
    }

    void listingLoadingAndDeleting() {
        const QStringList names{u"a b"_s, u".dot"_s, u"p2"_s, u"p10"_s, u"照片"_s};
        for (const QString& name : names) {
            QVERIFY(!SavePreset(name, everyFieldSet()));
        }
        WriteTestFile(m_folder + u"/stray name.ini"_s);
        WriteTestFile(m_folder + u"/notes.txt"_s);
        QCOMPARE(PresetNames(), (QStringList{u".dot"_s, u"a b"_s, u"p10"_s, u"p2"_s, u"照片"_s}));
        QVERIFY(PresetExists(u"a b"_s));
        QVERIFY(!DeletePreset(u"a b"_s));
        QVERIFY(!PresetExists(u"a b"_s));
        QCOMPARE(std::get<PresetError>(LoadPreset(u"a b"_s)).kind, PresetError::Kind::NotFound);
        QCOMPARE(DeletePreset(u"a b"_s)->kind, PresetError::Kind::NotFound);
        QCOMPARE(std::get<PresetError>(LoadPreset(u"a/b"_s)).kind, PresetError::Kind::BadName);
        QCOMPARE(SavePreset(u"a\nb"_s, everyFieldSet())->kind, PresetError::Kind::BadName);
    }

    // A file in place of the folder, or a preset that is no regular file, fails without losing anything.
    void fileSystemRefusals() {
        QVERIFY(QDir().mkpath(m_config.path() + u"/Varnoth"_s));
        WriteTestFile(m_folder, "not a folder");
        const std::optional<PresetError> blocked = SavePreset(u"p"_s, everyFieldSet());
        QVERIFY(blocked);
        QCOMPARE(blocked->kind, PresetError::Kind::File);
        QCOMPARE(ReadTestFile(m_folder), QByteArray("not a folder"));
        QVERIFY(QFile::remove(m_folder));
        QVERIFY(QDir().mkpath(m_folder));
        QCOMPARE(::mkfifo(QFile::encodeName(PresetFilePath(u"fifo"_s)).constData(), 0600), 0);
        QCOMPARE(std::get<PresetError>(LoadPreset(u"fifo"_s)).kind, PresetError::Kind::File);
        QCOMPARE(SavePreset(u"fifo"_s, everyFieldSet())->kind, PresetError::Kind::File);
        struct stat status {};
        QCOMPARE(::lstat(QFile::encodeName(PresetFilePath(u"fifo"_s)).constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
    }
};

QTEST_GUILESS_MAIN(TestPresets)
#include "test_presets.moc"

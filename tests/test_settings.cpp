#include "core/CriterionPage.h"
#include "settings/IniFile.h"
#include "settings/ParameterKeys.h"
#include "settings/SettingValueText.h"
#include "settings/SettingsFile.h"
#include "testsupport/FsErrorOutput.h"
#include "testsupport/SettingsValuesText.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>

#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {
const QLocale kGerman(u"de_DE"_s);

// The raw line of key in the file's bytes, as an editor shows it.
QByteArray lineOf(const QByteArray& file, const QByteArray& key) {
    for (const QByteArray& line : file.split('\n')) {
        if (line.startsWith(key + '=')) {
            return line;
        }
    }
    return QByteArray();
}
} // namespace

// The keys of section Parameter: defaults, value types, special rules, the file they make, and the location.
class TestSettings : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_config;  // stands in for ~/.config
    QTemporaryDir m_program; // the folder of the running program
    QString m_file;

    SettingsValues loadStored(const QByteArray& key, const QByteArray& value, const QLocale& locale = kGerman) {
        WriteTestFile(m_file, "[Parameter]\n" + key + '=' + value + '\n');
        return LoadSettings(m_program.path(), m_file, locale);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_config.isValid() && m_program.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        m_file = m_config.filePath(u"Varnoth.ini"_s);
    }

    void cleanup() { QFile::remove(m_file); }

    void fileIsInConfigurationFolder() { QCOMPARE(SettingsFilePath(), m_config.path() + u"/Varnoth.ini"_s); }

    void defaultsWithoutValues_data() {
        QTest::addColumn<std::optional<QByteArray>>("content");
        QTest::addColumn<QByteArray>("special"); // "fifo", or the target of a link, made in place of a file
        QTest::newRow("no file") << std::optional<QByteArray>() << QByteArray();
        QTest::newRow("empty file") << std::optional<QByteArray>("") << QByteArray();
        QTest::newRow("only foreign sections")
            << std::optional<QByteArray>("[Other]\nPage=3\nSameFile=2\n") << QByteArray();
        QTest::newRow("empty section") << std::optional<QByteArray>("[Parameter]\n") << QByteArray();
        // Start-up never waits on a FIFO, nor reads an endless or huge file.
        QTest::newRow("a FIFO") << std::optional<QByteArray>() << QByteArray("fifo");
        QTest::newRow("a link to /dev/zero") << std::optional<QByteArray>() << QByteArray("/dev/zero");
        QTest::newRow("a file over 1 MB, values and all")
            << std::optional<QByteArray>("[Parameter]\nPage=3\nSameFile=2\n;" + QByteArray(1 << 20, '-') + '\n')
            << QByteArray();
    }
    void defaultsWithoutValues() {
        QFETCH(std::optional<QByteArray>, content);
        QFETCH(QByteArray, special);
        if (content) {
            WriteTestFile(m_file, *content);
        } else if (special == "fifo") {
            QVERIFY(::mkfifo(QFile::encodeName(m_file).constData(), 0600) == 0);
        } else if (!special.isEmpty()) {
            QVERIFY(QFile::link(QFile::decodeName(special), m_file));
        }
        const SettingsValues values = LoadSettings(m_program.path());
        QCOMPARE(values.nameFilterPieces, QString());
        QCOMPARE(values.sameNamePolicy, 0);
        QCOMPARE(values.outputFolder, m_program.path() + u'/');
        QCOMPARE(values.criterionPage, int(KeywordPage));
        QCOMPARE(values.typeList, QStringList());
        QCOMPARE(values.pictureDimension, 0);
        QCOMPARE(values.pictureCondition, 0);
        QCOMPARE(values.pictureLimit, QString());
        QCOMPARE(values.sizeCondition, 0);
        QCOMPARE(values.sizeUnit, 0);
        QCOMPARE(values.sizeThreshold, QString());
        QCOMPARE(values.keywords, QString());
        QCOMPARE(values.dateMomentDay, std::optional<QDate>());
        QCOMPARE(values.dateMomentTime, std::optional<QTime>());
        QCOMPARE(values.dateKind, 0);
        QCOMPARE(values.dateCondition, 0);
        QCOMPARE(values.takenTime, 0);
        QCOMPARE(values.datePattern, u"%Y/%m"_s);
        QCOMPARE(values.dateSource, 0);
        QCOMPARE(QFileInfo(m_file).isSymLink() || QFileInfo::exists(m_file), content || !special.isEmpty());
    }

    void everyKeyRoundTrips() {
        QTemporaryDir output;
        const QString outDir = output.path() + u'/';
        SettingsValues saved;
        saved.nameFilterPieces = u"-*_*【】"_s;
        saved.sameNamePolicy = 3;
        saved.outputFolder = outDir;
        saved.criterionPage = DatePage;
        saved.typeList = {u"*.txt"_s, u"*.文档"_s, u" *.a b"_s};
        saved.pictureDimension = 1;
        saved.pictureCondition = 2;
        saved.pictureLimit = u"1024"_s;
        saved.sizeCondition = 1;
        saved.sizeUnit = 1;
        saved.sizeThreshold = u"2.5"_s;
        saved.keywords = u"旅行 照片"_s;
        saved.dateMomentDay = QDate(1999, 12, 31);
        saved.dateMomentTime = QTime(23, 59, 58);
        saved.dateKind = 1;
        saved.dateCondition = 1;
        saved.skipIdentical = 1;
        saved.takenTime = 1;
        saved.datePattern = u"%Y/相册 %m"_s;
        saved.dateSource = 2;
        saved.preset = u"照片 <b>"_s;
        QCOMPARE(SaveSettings(saved, SettingsFilePath(), kGerman), Fs::Error());

        // A hand-editable file, keys in the save order.
        QCOMPARE(ReadTestFile(m_file), u"[Parameter]\n"
                                       "Filter=-*_*【】\n"
                                       "SameFile=3\n"
                                       "OutDir=%1\n"
                                       "Page=4\n"
                                       "PicSize=1\n"
                                       "CmbPic=2\n"
                                       "PicSizeValue=1024\n"
                                       "CmbCondition=1\n"
                                       "CmbUnit=1\n"
                                       "FileSize=2.5\n"
                                       "EdtKeys=旅行 照片\n"
                                       "SuffixFilter=*.txt|*.文档| *.a b|\n"
                                       "DTDate=31.12.1999\n"
                                       "DTTime=23:59:58\n"
                                       "FileAttr=1\n"
                                       "CmbFileDate=1\n"
                                       "SkipIdentical=1\n"
                                       "TakenTime=1\n"
                                       "DatePattern=%Y/相册 %m\n"
                                       "DateSource=2\n"
                                       "Preset=照片 <b>\n"_s.arg(outDir)
                                           .toUtf8());

        QCOMPARE(LoadSettings(m_program.path(), SettingsFilePath(), kGerman), saved);
    }

    void saveKeepsOtherLines() {
        WriteTestFile(m_file, "; kept as it is\r\n"
                              "[Parameter]\r\n"
                              "page = 1\r\n"
                              "Unknown=\xb2\xe2 x\r\n"
                              "\r\n"
                              "[Foreign]\r\n"
                              "Filter=foreign\r\n");
        SettingsValues values;
        values.outputFolder = u"/nowhere/"_s;
        values.criterionPage = TypePage;
        values.dateMomentDay = QDate(2013, 5, 6);
        values.dateMomentTime = QTime(0, 0);
        QCOMPARE(SaveSettings(values, m_file, QLocale::c()), Fs::Error());
        QCOMPARE(ReadTestFile(m_file), QByteArray("; kept as it is\r\n"
                                                  "[Parameter]\r\n"
                                                  "Page=2\r\n"
                                                  "Unknown=\xb2\xe2 x\r\n"
                                                  "Filter=\r\n"
                                                  "SameFile=0\r\n"
                                                  "OutDir=/nowhere/\r\n"
                                                  "PicSize=0\r\n"
                                                  "CmbPic=0\r\n"
                                                  "PicSizeValue=\r\n"
                                                  "CmbCondition=0\r\n"
                                                  "CmbUnit=0\r\n"
                                                  "FileSize=\r\n"
                                                  "EdtKeys=\r\n"
                                                  "SuffixFilter=\r\n"
                                                  "DTDate=2013/5/6\r\n"
                                                  "DTTime=00:00:00\r\n"
                                                  "FileAttr=0\r\n"
                                                  "CmbFileDate=0\r\n"
                                                  "SkipIdentical=0\r\n"
                                                  "TakenTime=0\r\n"
                                                  "DatePattern=%Y/%m\r\n"
                                                  "DateSource=0\r\n"
                                                  "Preset=\r\n"
                                                  "\r\n"
                                                  "[Foreign]\r\n"
                                                  "Filter=foreign\r\n"));
    }

    void edtKeysSavedTrimmed() {
        SettingsValues values;
        values.keywords = u" \t 旅行  照片 \x01\n"_s;
        QCOMPARE(SaveSettings(values, m_file), Fs::Error());
        QCOMPARE(lineOf(ReadTestFile(m_file), "EdtKeys"), u"EdtKeys=旅行  照片"_s.toUtf8());
    }

    void textWithLineBreakStaysOneValue() {
        SettingsValues values;
        values.nameFilterPieces = u"a\nSameFile=3"_s;
        QCOMPARE(SaveSettings(values, m_file), Fs::Error());
        const SettingsValues loaded = LoadSettings(m_program.path(), m_file);
        QCOMPARE(loaded.nameFilterPieces, u"a SameFile=3"_s);
        QCOMPARE(loaded.sameNamePolicy, 0);
    }

    void suffixFilterSaved_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("two items") << QStringList{u"*.txt"_s, u"*.doc"_s} << QByteArray("SuffixFilter=*.txt|*.doc|");
        QTest::newRow("empty item left out")
            << QStringList{u"*.txt"_s, QString(), u"*.doc"_s} << QByteArray("SuffixFilter=*.txt|*.doc|");
        QTest::newRow("empty list") << QStringList() << QByteArray("SuffixFilter=");
    }
    void suffixFilterSaved() {
        QFETCH(QStringList, items);
        QFETCH(QByteArray, line);
        SettingsValues values;
        values.typeList = items;
        QCOMPARE(SaveSettings(values, m_file), Fs::Error());
        QCOMPARE(lineOf(ReadTestFile(m_file), "SuffixFilter"), line);
    }

    void suffixFilterLoaded_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("final bar") << QByteArray("*.txt|*.doc|") << QStringList{u"*.txt"_s, u"*.doc"_s};
        QTest::newRow("no final bar") << QByteArray("*.txt|*.doc") << QStringList{u"*.txt"_s, u"*.doc"_s};
        QTest::newRow("only bars") << QByteArray("||") << QStringList();
        QTest::newRow("empty pieces") << QByteArray("|*.a||*.b|") << QStringList{u"*.a"_s, u"*.b"_s};
        // The file drops the outer blanks; inner pieces stay as they stand, the last one is trimmed.
        QTest::newRow("blanks around items") << QByteArray(" *.a | *.b ") << QStringList{u"*.a "_s, u"*.b"_s};
        QTest::newRow("blank last piece") << QByteArray("*.a| \t |x") << QStringList{u"*.a"_s, u" \t "_s, u"x"_s};
        QTest::newRow("no bar") << QByteArray("*.jpg") << QStringList{u"*.jpg"_s};
        QTest::newRow("empty") << QByteArray() << QStringList();
    }
    void suffixFilterLoaded() {
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, items);
        QCOMPARE(loadStored("SuffixFilter", stored).typeList, items);
    }

    void longSuffixFilterSurvives() {
        QStringList items;
        for (int i = 0; i < 1200; ++i) {
            items.append(u"*.ext%1"_s.arg(i, 3, 10, QChar(u'0')));
        }
        SettingsValues values;
        values.typeList = items;
        QCOMPARE(SaveSettings(values, m_file), Fs::Error());
        // Over 10,000 bytes: a value is read whole.
        QCOMPARE(lineOf(ReadTestFile(m_file), "SuffixFilter").size(), 13 + 1000 * 9 + 200 * 10);
        const QStringList loaded = LoadSettings(m_program.path(), m_file).typeList;
        QCOMPARE(loaded.size(), 1200);
        QCOMPARE(loaded.first(), u"*.ext000"_s);
        QCOMPARE(loaded.last(), u"*.ext1199"_s);
    }

    void integerValues_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << QByteArray("7") << 7;
        QTest::newRow("negative") << QByteArray("-3") << -3;
        QTest::newRow("plus sign") << QByteArray("+4") << 4;
        QTest::newRow("blanks around") << QByteArray("  12  ") << 12;
        QTest::newRow("hexadecimal") << QByteArray("0x10") << 16;
        QTest::newRow("hexadecimal upper case") << QByteArray("0X1f") << 31;
        QTest::newRow("bare 0x") << QByteArray("0x") << 0;
        QTest::newRow("bad hexadecimal digit") << QByteArray("0x1g") << 0;
        QTest::newRow("signed hexadecimal") << QByteArray("-0x10") << 0;
        QTest::newRow("letters") << QByteArray("abc") << 0;
        QTest::newRow("trailing letters") << QByteArray("12abc") << 0;
        QTest::newRow("inner blank") << QByteArray("1 2") << 0;
        QTest::newRow("decimal point") << QByteArray("1.5") << 0;
        QTest::newRow("only a sign") << QByteArray("-") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("largest") << QByteArray("2147483647") << 2147483647;
        QTest::newRow("too large") << QByteArray("2147483648") << 0;
        QTest::newRow("too large hexadecimal") << QByteArray("0x100000000") << 0;
    }
    void integerValues() {
        QFETCH(QByteArray, stored);
        QFETCH(int, value);
        QCOMPARE(loadStored("CmbPic", stored).pictureCondition, value);
        QCOMPARE(loadStored("CmbFileDate", stored).dateCondition, value);
    }

    void unreadableIntegerGivesGivenFallback() {
        QCOMPARE(ParseSettingInteger("x", 7), 7);
        QCOMPARE(ParseSettingInteger("0x", -2), -2);
        QCOMPARE(ParseSettingInteger("-8", 7), -8);
    }

    void sameFileValues_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("value");
        QTest::newRow("skip") << QByteArray("0") << 0;
        QTest::newRow("overwrite") << QByteArray("1") << 1;
        QTest::newRow("ask") << QByteArray("2") << 2;
        QTest::newRow("auto-number") << QByteArray("3") << 3;
        QTest::newRow("hexadecimal ask") << QByteArray("0x2") << 2;
        QTest::newRow("unknown 4") << QByteArray("4") << 0;
        QTest::newRow("unknown -1") << QByteArray("-1") << 0;
        QTest::newRow("not a number") << QByteArray("ask") << 0;
    }
    void sameFileValues() {
        QFETCH(QByteArray, stored);
        QFETCH(int, value);
        QCOMPARE(loadStored("SameFile", stored).sameNamePolicy, value);
    }

    void pageValues_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("page");
        QTest::newRow("keyword page") << QByteArray("0") << int(KeywordPage);
        QTest::newRow("image page") << QByteArray("5") << int(ImagePage);
        QTest::newRow("hexadecimal") << QByteArray("0x3") << int(SizePage);
        QTest::newRow("folders by date") << QByteArray("6") << int(DateFoldersPage);
        QTest::newRow("7 keeps the designed page") << QByteArray("7") << -1;
        QTest::newRow("-1 keeps the designed page") << QByteArray("-1") << -1;
        QTest::newRow("not a number is the keyword page") << QByteArray("two") << int(KeywordPage);
    }
    void pageValues() {
        QFETCH(QByteArray, stored);
        QFETCH(int, page);
        QCOMPARE(loadStored("Page", stored).criterionPage, page);
    }

    void outputFolder_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("kept");
        QTest::newRow("existing folder") << u"%1/out/"_s << true;
        QTest::newRow("existing folder, no final slash") << u"%1/out"_s << true;
        QTest::newRow("Chinese name") << u"%1/输出/"_s << true;
        QTest::newRow("deleted folder") << u"%1/deleted/"_s << false;
        QTest::newRow("a file, not a folder") << u"%1/file.txt"_s << false;
        QTest::newRow("empty value") << QString() << false;
    }
    void outputFolder() {
        QFETCH(QString, stored);
        QFETCH(bool, kept);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(u"out"_s) && QDir(root.path()).mkpath(u"输出"_s));
        QVERIFY(QDir(root.path()).mkpath(u"deleted"_s) && QDir(root.path()).rmdir(u"deleted"_s));
        WriteTestFile(root.filePath(u"file.txt"_s));
        const QString folder = stored.isEmpty() ? QString() : stored.arg(root.path());
        QCOMPARE(loadStored("OutDir", folder.toUtf8()).outputFolder, kept ? folder : QString());
    }

    void settingFormats_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("dateFormat");
        QTest::addColumn<QString>("timeFormat");
        QTest::newRow("C") << QLocale::c() << u"yyyy/M/d"_s << u"HH:mm:ss"_s;
        QTest::newRow("en_US") << QLocale(u"en_US"_s) << u"M/d/yyyy"_s << u"h:mm:ss AP"_s;
        QTest::newRow("zh_CN") << QLocale(u"zh_CN"_s) << u"yyyy/M/d"_s << u"HH:mm:ss"_s;
        QTest::newRow("de_DE") << kGerman << u"dd.MM.yyyy"_s << u"HH:mm:ss"_s;
        QTest::newRow("ko_KR") << QLocale(u"ko_KR"_s) << u"yyyy. M. d."_s << u"AP h시 m분 s초"_s;
        QTest::newRow("fa_IR, zone in brackets") << QLocale(u"fa_IR"_s) << u"yyyy/M/d"_s << u"H:mm:ss"_s;
        QTest::newRow("sq_AL, zone after a comma") << QLocale(u"sq_AL"_s) << u"d.M.yyyy"_s << u"h:mm:ss AP"_s;
    }
    void settingFormats() {
        QFETCH(QLocale, locale);
        QFETCH(QString, dateFormat);
        QFETCH(QString, timeFormat);
        QCOMPARE(SettingDateFormat(locale), dateFormat);
        QCOMPARE(SettingTimeFormat(locale), timeFormat);
    }

    void dateAndTimeRoundTrip_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QByteArray>("dateLine");
        QTest::addColumn<QByteArray>("timeLine");
        const QDate may2013(2013, 5, 6);
        const QDate end1999(1999, 12, 31);
        const QTime afternoon(13, 4, 5);
        const QTime midnight(0, 0, 0);
        QTest::newRow("C 2013") << QLocale::c() << may2013 << afternoon << QByteArray("DTDate=2013/5/6")
                                << QByteArray("DTTime=13:04:05");
        QTest::newRow("C 1999") << QLocale::c() << end1999 << midnight << QByteArray("DTDate=1999/12/31")
                                << QByteArray("DTTime=00:00:00");
        QTest::newRow("en_US 2013") << QLocale(u"en_US"_s) << may2013 << afternoon << QByteArray("DTDate=5/6/2013")
                                    << QByteArray("DTTime=1:04:05 PM");
        QTest::newRow("en_US 1999") << QLocale(u"en_US"_s) << end1999 << midnight << QByteArray("DTDate=12/31/1999")
                                    << QByteArray("DTTime=12:00:00 AM");
        QTest::newRow("zh_CN 2013") << QLocale(u"zh_CN"_s) << may2013 << afternoon << QByteArray("DTDate=2013/5/6")
                                    << QByteArray("DTTime=13:04:05");
        QTest::newRow("zh_CN 1999") << QLocale(u"zh_CN"_s) << end1999 << midnight << QByteArray("DTDate=1999/12/31")
                                    << QByteArray("DTTime=00:00:00");
        QTest::newRow("de_DE 2013") << kGerman << may2013 << afternoon << QByteArray("DTDate=06.05.2013")
                                    << QByteArray("DTTime=13:04:05");
        QTest::newRow("de_DE 1999") << kGerman << end1999 << midnight << QByteArray("DTDate=31.12.1999")
                                    << QByteArray("DTTime=00:00:00");
        // Qt formats these but does not parse its own text back: the plain form is written instead.
        QTest::newRow("Adlam digits") << QLocale(QLocale::Fulah, QLocale::AdlamScript, QLocale::Senegal) << may2013
                                      << afternoon << QByteArray("DTDate=2013-05-06") << QByteArray("DTTime=13:04:05");
        // "ŋdi" and "ɣetrɔ": Qt's parser reads past its own text on a day-period of unequal length.
        QTest::newRow("day-period texts of unequal length")
            << QLocale(u"ee_GH"_s) << may2013 << afternoon << QByteArray("DTDate=5/6/2013")
            << QByteArray("DTTime=13:04:05");
    }
    void dateAndTimeRoundTrip() {
        QFETCH(QLocale, locale);
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(QByteArray, dateLine);
        QFETCH(QByteArray, timeLine);
        SettingsValues values;
        values.dateMomentDay = date;
        values.dateMomentTime = time;
        QCOMPARE(SaveSettings(values, m_file, locale), Fs::Error());
        const QByteArray file = ReadTestFile(m_file);
        QCOMPARE(lineOf(file, "DTDate"), dateLine);
        QCOMPARE(lineOf(file, "DTTime"), timeLine);
        const SettingsValues loaded = LoadSettings(m_program.path(), m_file, locale);
        QCOMPARE(loaded.dateMomentDay, std::optional<QDate>(date));
        QCOMPARE(loaded.dateMomentTime, std::optional<QTime>(time));
    }

    void dateAndTimeRoundTripInEveryLocale() {
        const QList<QDate> dates{QDate(2013, 5, 6), QDate(1999, 12, 31), QDate(1900, 1, 1), QDate(2100, 2, 28)};
        const QList<QTime> times{QTime(0, 0, 0), QTime(12, 30, 1), QTime(23, 59, 59), QTime(11, 5, 7)};
        QStringList failures;
        for (const QLocale& locale :
             QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
            for (const QDate date : dates) {
                if (ParseSettingDate(DateSettingText(date, locale), locale) != date) {
                    failures.append(locale.name() + u' ' + date.toString(Qt::ISODate));
                }
            }
            for (const QTime time : times) {
                if (ParseSettingTime(TimeSettingText(time, locale), locale) != time) {
                    failures.append(locale.name() + u' ' + time.toString(Qt::ISODate));
                }
            }
        }
        QCOMPARE(failures, QStringList());
    }

    void millisecondsAreNotKept() {
        QCOMPARE(ParseSettingTime(TimeSettingText(QTime(8, 9, 10, 999), kGerman), kGerman),
                 std::optional<QTime>(QTime(8, 9, 10)));
    }

    void unreadableDateOrTime_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("words") << QByteArray("yesterday");
        QTest::newRow("no such day") << QByteArray("31.02.2013");
        QTest::newRow("no such hour") << QByteArray("25:00:00");
    }
    void unreadableDateOrTime() {
        QFETCH(QByteArray, stored);
        QCOMPARE(loadStored("DTDate", stored).dateMomentDay, std::optional<QDate>());
        QCOMPARE(loadStored("DTTime", stored).dateMomentTime, std::optional<QTime>());
    }

    void dayPeriodOfUnequalLengthIsNotParsed_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("morning as the locale writes it") << u"ŊDI ga 12:00:00"_s.toUtf8();
        QTest::newRow("evening as the locale writes it") << u"ƔETRƆ ga 1:04:05"_s.toUtf8();
    }
    void dayPeriodOfUnequalLengthIsNotParsed() {
        QFETCH(QByteArray, stored);
        QCOMPARE(loadStored("DTTime", stored, QLocale(u"ee_GH"_s)).dateMomentTime, std::optional<QTime>());
    }

    void plainDateAndTimeAreRead() {
        QCOMPARE(loadStored("DTDate", "2013-05-06").dateMomentDay, std::optional<QDate>(QDate(2013, 5, 6)));
        QCOMPARE(loadStored("DTTime", "07:08:09").dateMomentTime, std::optional<QTime>(QTime(7, 8, 9)));
    }

    void saveFailsWhereTheFolderCannotBeMade() {
        QTemporaryDir root;
        WriteTestFile(root.filePath(u"config"_s), "a file where the folder should be");
        const QString path = root.filePath(u"config/Varnoth.ini"_s);
        QCOMPARE(SaveSettings(SettingsValues(), path), (Fs::Error{Fs::Operation::CreateTemporary, ENOTDIR}));
        QCOMPARE(EntriesOf(root.path()), QStringList{u"config"_s});
    }

    void saveLeavesUnreadableFileAlone() {
        QTemporaryDir root;
        const QString path = root.filePath(u"Varnoth.ini"_s);
        QVERIFY(QDir().mkpath(path + u"/inside"_s));
        QCOMPARE(SaveSettings(SettingsValues(), path), (Fs::Error{Fs::Operation::CheckSource, EISDIR}));
        QVERIFY(QFileInfo(path + u"/inside"_s).isDir());
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"

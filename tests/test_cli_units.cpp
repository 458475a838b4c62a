#include "cli/ArgumentBytes.h"
#include "cli/ClosestName.h"
#include "cli/CommandLineMain.h"
#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "cli/InputPaths.h"
#include "cli/JsonLines.h"
#include "cli/RunReportOutput.h"
#include "cli/UndoReasonWords.h"
#include "core/EmbeddedTranslations.h"
#include "engine/RunReport.h"
#include "journal/History.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>
#include <QTest>
#include <QTranslator>

#include <unistd.h>

using namespace Qt::StringLiterals;

// The command line's pure pieces: argument bytes, escaping, JSON lines, paths and the choice of the window.
class TestCliUnits : public QObject {
    Q_OBJECT
private slots:
    void argumentBytesRoundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QByteArray("--out=/tmp/a b");
        QTest::newRow("chinese") << QByteArray("大于100KB");
        QTest::newRow("lone FF") << QByteArray("na\xffme");
        QTest::newRow("legacy GBK") << QByteArray("\xb2\xe2\xca\xd4.txt");
        QTest::newRow("encoded surrogate") << QByteArray("\xed\xb3\xbf");
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf");
        QTest::newRow("cut-off sequence") << QByteArray("\xe4\xb8");
        QTest::newRow("emoji beside raw byte") << QByteArray("\xf0\x9f\x98\x80\x80");
        QByteArray everyHighByte;
        for (int b = 0x80; b <= 0xff; ++b) {
            everyHighByte += char(b);
        }
        QTest::newRow("every high byte") << everyHighByte;
    }
    void argumentBytesRoundTrip() {
        QFETCH(QByteArray, bytes);
        const QString text = ArgumentText(bytes);
        QCOMPARE(ArgumentBytes(text), bytes);
        // Valid UTF-8 decodes as Qt would decode it, so option names and values read normally.
        if (QString::fromUtf8(bytes).toUtf8() == bytes) {
            QCOMPARE(text, QString::fromUtf8(bytes));
        }
    }
    // Qt's own decoding makes FE and FF one name; the mapping keeps them two.
    void differentBytesStayDifferent() { QVERIFY(ArgumentText("a\xfe") != ArgumentText("a\xff")); }

    void escapedText_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("escaped");
        QTest::newRow("plain") << QByteArray("photo 1.jpg") << QByteArray("photo 1.jpg");
        QTest::newRow("chinese kept") << QByteArray("西游记.txt") << QByteArray("西游记.txt");
        QTest::newRow("line break") << QByteArray("a\nb") << QByteArray("a\\nb");
        QTest::newRow("cr and tab") << QByteArray("a\r\tb") << QByteArray("a\\r\\tb");
        QTest::newRow("escape char") << QByteArray("\x1b[31m") << QByteArray("\\x1B[31m");
        QTest::newRow("delete") << QByteArray("a\x7f") << QByteArray("a\\x7F");
        QTest::newRow("backslash doubled") << QByteArray("a\\nb") << QByteArray("a\\\\nb");
        QTest::newRow("invalid byte") << QByteArray("a\xff") << QByteArray("a\\xFF");
        QTest::newRow("C1 control") << QByteArray("a\xc2\x85") << QByteArray("a\\xC2\\x85");
        QTest::newRow("after C1 range") << QByteArray("\xc2\xa0") << QByteArray("\xc2\xa0");
    }
    void escapedText() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, escaped);
        QCOMPARE(EscapedText(name), escaped);
    }

    void jsonStepLine_data() {
        QTest::addColumn<QByteArray>("source");
        QTest::newRow("utf-8") << QByteArray("/in/西游记 \"1\"\\\n.txt");
        QTest::newRow("not utf-8") << QByteArray("/in/na\xffme\x01.txt");
    }
    // Every line parses, holds the path as text, and a name that is not UTF-8 comes back exactly from base64; the
    // reason in words, which may quote a name, comes back as it was.
    void jsonStepLine() {
        QFETCH(QByteArray, source);
        const QString detail = QString::fromUtf8(source).prepend(u"类型 \"\t"_s);
        const QByteArray line = JsonStepLine({source, std::nullopt, nullptr, nullptr, "failed", "vanished", detail});
        QVERIFY(line.endsWith('\n') && line.count('\n') == 1);
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(line, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object.value(u"result"_s).toString(), u"failed"_s);
        QCOMPARE(object.value(u"error"_s).toString(), u"vanished"_s);
        QCOMPARE(object.value(u"reason_detail"_s).toString(), detail);
        QVERIFY(object.value(u"destination"_s).isNull());
        const bool utf8 = QString::fromUtf8(source).toUtf8() == source;
        QCOMPARE(object.contains(u"source_base64"_s), !utf8);
        const QByteArray exact = utf8 ? object.value(u"source"_s).toString().toUtf8()
                                      : QByteArray::fromBase64(object.value(u"source_base64"_s).toString().toLatin1());
        QCOMPARE(exact, source);
    }
    void jsonSummaryLine() {
        RunReport report;
        report.placed = 3;
        report.left = 1;
        report.notMatching = 2;
        report.failed = 4;
        report.filtered = 5;
        QCOMPARE(JsonSummaryLine(report), QByteArray("{\"summary\": {\"placed\": 3, \"left\": 1, \"identical\": 0, "
                                                     "\"nomatch\": 2, \"failed\": 4, \"filtered\": 5}}\n"));
    }

    // A moved file whose name led to another file at the end is no failure: the report names it on standard error,
    // escaped, with what became of it, and counts it as placed.
    void runReportNamesTheOnlyCopies() {
        RunReport report;
        report.placed = 1;
        report.onlyCopies = {"/in/a\nb.doc"};
        QTemporaryFile captured;
        QVERIFY(captured.open());
        const int standardError = ::dup(STDERR_FILENO);
        ::dup2(captured.handle(), STDERR_FILENO);
        PrintRunReport(report, false, true);
        ::dup2(standardError, STDERR_FILENO);
        ::close(standardError);
        captured.seek(0);
        QCOMPARE(captured.readAll(),
                 QByteArray("varnoth: /in/a\\nb.doc: sorted; this name now leads to another file, "
                            "which was kept, so the sorted copy is the only copy of the original\n"));
    }

    void absolutePath_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("absolute");
        QTest::newRow("absolute kept") << QByteArray("/x/./y") << QByteArray("/x/./y");
        QTest::newRow("relative") << QByteArray("a/b") << QByteArray("/w/a/b");
        QTest::newRow("find's dot slash") << QByteArray("./a") << QByteArray("/w/a");
        QTest::newRow("dot slash twice") << QByteArray(".//./a") << QByteArray("/w/a");
        QTest::newRow("dot") << QByteArray(".") << QByteArray("/w");
        QTest::newRow("parent not resolved") << QByteArray("../a") << QByteArray("/w/../a");
        QTest::newRow("inner dot kept") << QByteArray("a/./b") << QByteArray("/w/a/./b");
        QTest::newRow("dot-named file") << QByteArray(".profile") << QByteArray("/w/.profile");
    }
    void absolutePath() {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, absolute);
        QCOMPARE(AbsolutePath(path, "/w"), absolute);
    }

    void windowPathArguments_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<bool>("window");
        QTest::addColumn<QByteArrayList>("paths");
        QTest::newRow("no arguments") << QByteArrayList{} << true << QByteArrayList{};
        QTest::newRow("paths") << QByteArrayList{"a", "/b"} << true << QByteArrayList{"a", "/b"};
        QTest::newRow("sort") << QByteArrayList{"sort", "--by-type"} << false << QByteArrayList{};
        QTest::newRow("undo") << QByteArrayList{"undo"} << false << QByteArrayList{};
        QTest::newRow("help") << QByteArrayList{"--help"} << false << QByteArrayList{};
        QTest::newRow("option after a path") << QByteArrayList{"a", "--version"} << false << QByteArrayList{};
        QTest::newRow("end of options") << QByteArrayList{"a", "--", "-x", "--"} << true
                                        << QByteArrayList{"a", "-x", "--"};
        QTest::newRow("subcommand name after end") << QByteArrayList{"--", "sort"} << true << QByteArrayList{"sort"};
        QTest::newRow("lone dash is a path") << QByteArrayList{"-"} << true << QByteArrayList{"-"};
    }
    void windowPathArguments() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(bool, window);
        QFETCH(QByteArrayList, paths);
        const std::optional<QByteArrayList> windowPaths = WindowPathArguments(arguments);
        QCOMPARE(windowPaths.has_value(), window);
        if (window) {
            QCOMPARE(*windowPaths, paths);
        }
    }

    void closestName_data() {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<QByteArray>("closest"); // empty: none
        QTest::newRow("two letters swapped") << QByteArray("srot") << QByteArray("sort");
        QTest::newRow("swapped at the end") << QByteArray("histroy") << QByteArray("history");
        QTest::newRow("two swaps") << QByteArray("hsitroy") << QByteArray("history");
        QTest::newRow("a letter missing") << QByteArray("uno") << QByteArray("undo");
        QTest::newRow("a letter more") << QByteArray("sorrt") << QByteArray("sort");
        QTest::newRow("capitals") << QByteArray("SORT") << QByteArray("sort");
        QTest::newRow("two letters replaced") << QByteArray("sxrx") << QByteArray("sort");
        QTest::newRow("three edits") << QByteArray("sxrxx") << QByteArray();
        QTest::newRow("a word of its own") << QByteArray("photos") << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("a long argument") << QByteArray(100000, 's') << QByteArray();
        QTest::newRow("two letters missing") << QByteArray("do") << QByteArray("undo");
    }
    // The command a mistyped word was meant to be: within two edits, a swap of neighbours counting once.
    void closestName() {
        QFETCH(QByteArray, word);
        QFETCH(QByteArray, closest);
        QCOMPARE(ClosestName(word, {"sort", "history", "undo"}).value_or(QByteArray()), closest);
    }

    // The short ids of many runs, among them runs whose hashes begin alike: each begins its id's SHA-1, has four
    // digits or more, begins no other run's hash, and one digit less would begin another's or be under four.
    void shortRunIdsAreShortestUnique() {
        QByteArrayList ids;
        for (int i = 0; i < 3000; ++i) {
            ids.append("20240101T000000.000Z-" + QByteArray::number(i));
        }
        const QByteArrayList shortIds = ShortRunIds(ids);
        QCOMPARE(shortIds.size(), ids.size());
        QByteArrayList hashes;
        for (const QByteArray& id : ids) {
            hashes.append(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex());
        }
        int longer = 0;
        for (qsizetype i = 0; i < ids.size(); ++i) {
            const QByteArray& shortId = shortIds[i];
            QVERIFY(shortId.size() >= 4 && hashes[i].startsWith(shortId));
            QVERIFY(ShortIdNames(shortId, ids[i]));
            const QByteArray shorter = shortId.chopped(1);
            bool shorterShared = shorter.size() < 4;
            for (qsizetype j = 0; j < ids.size(); ++j) {
                if (j != i) {
                    QVERIFY2(!hashes[j].startsWith(shortId), shortId.constData());
                    shorterShared = shorterShared || hashes[j].startsWith(shorter);
                }
            }
            QVERIFY2(shorterShared, shortId.constData());
            longer += shortId.size() > 4 ? 1 : 0;
        }
        // 3000 hashes share their first four digits in pairs many times over: the longer ids were tried.
        QVERIFY(longer > 10);
    }

    void shortIdNames_data() {
        QTest::addColumn<QByteArray>("shortId");
        QTest::addColumn<bool>("names");
        // SHA-1 of the id below: 18327849981d06c4348ea116abeec312c3ee3c79
        QTest::newRow("four digits") << QByteArray("1832") << true;
        QTest::newRow("capitals") << QByteArray("18327849981D") << true;
        QTest::newRow("the whole hash") << QByteArray("18327849981d06c4348ea116abeec312c3ee3c79") << true;
        QTest::newRow("three digits") << QByteArray("183") << false;
        QTest::newRow("past the hash") << QByteArray("18327849981d06c4348ea116abeec312c3ee3c790") << false;
        QTest::newRow("another hash") << QByteArray("1833") << false;
        QTest::newRow("not hex") << QByteArray("18g2") << false;
        QTest::newRow("the id itself") << QByteArray("20240501T120000.123Z-4242") << false;
    }
    // A short id is cut from SHA-1 in hex, the same in every version, so that ids written down stay good.
    void shortIdNames() {
        QFETCH(QByteArray, shortId);
        QFETCH(bool, names);
        const QByteArray id = "20240501T120000.123Z-4242";
        QCOMPARE(ShortIdNames(shortId, id), names);
        QCOMPARE(ShortRunIds({id}), QByteArrayList{"1832"});
    }

    void undoReasonWords_data() {
        QTest::addColumn<QByteArray>("code");
        for (const char* code : {"changed", "gone", "source-taken", "name-taken", "kept-missing", "folder-not-empty",
                                 "unconfirmed", "refused", "outside", "trash-info-left"}) {
            QTest::newRow(code) << QByteArray(code);
        }
    }
    // Every reason undo gives is words: English ones, and in Chinese the window's own words for it.
    void undoReasonWords() {
        QFETCH(QByteArray, code);
        const std::optional<UndoReason> reason = UndoReasonOfCode(code);
        QVERIFY(reason);
        const QString english = UndoReasonWords(*reason);
        QVERIFY2(english.contains(u' ') && english != QString::fromLatin1(code), qPrintable(english));
        QString translated;
        {
            const EmbeddedTranslations chinese(u"varnoth_cli_zh_CN"_s);
            translated = UndoReasonWords(*reason);
        }
        QCOMPARE(translated, UndoReasonText(*reason));
    }

    void language_data() {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("zh_CN") << QStringList{u"zh-CN"_s, u"zh"_s} << true;
        QTest::newRow("zh_TW") << QStringList{u"zh-TW"_s} << true;
        QTest::newRow("English") << QStringList{u"en-US"_s} << false;
        QTest::newRow("German before Chinese") << QStringList{u"de-DE"_s, u"zh-CN"_s} << false;
        QTest::newRow("C") << QStringList{u"C"_s} << false;
        QTest::newRow("none") << QStringList{} << false;
    }
    void language() {
        QFETCH(QStringList, uiLanguages);
        QFETCH(bool, chinese);
        QCOMPARE(CommandLineSpeaksChinese(uiLanguages), chinese);
    }
};

QTEST_GUILESS_MAIN(TestCliUnits)
#include "test_cli_units.moc"

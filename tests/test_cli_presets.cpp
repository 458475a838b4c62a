#include "testsupport/CliProcess.h"
#include "testsupport/CriteriaInputs.h"
#include "testsupport/FileSystemFixtures.h"
#include "testsupport/OutputTree.h"
#include "testsupport/TestFiles.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Saved sorts from the command line: saving, running, overriding and listing them, with the real program.
class TestCliPresets : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    CliResult run(const QByteArrayList& arguments) {
        return RunCli(u"" VARNOTH_PROGRAM ""_s, arguments, m_dir->path(), path(u"home"_s));
    }
    CliResult sort(const QByteArrayList& arguments) { return run(QByteArrayList{"sort"} + arguments); }
    QString presetFile(const QString& fileName) const { return path(u"home/.config/Varnoth/presets/"_s + fileName); }

    void writeInputs() {
        QVERIFY(WriteCriteriaInputs(path(u"in"_s)));
        QVERIFY(SetModificationTime(path(u"in/b.doc"_s), QDateTime(QDate(2024, 5, 6), QTime(12, 0))));
    }

private slots:
    void init() { QVERIFY(m_dir.emplace().isValid()); }
    void cleanup() { RemoveTree(QFile::encodeName(m_dir->path())); }

    // A saved sort sorts as the options it was saved from: every criterion and filter comes back from its file.
    void savedSortSortsAsItsOptions_data() {
        QTest::addColumn<QByteArrayList>("options");
        QTest::newRow("keywords") << QByteArrayList{"--keywords", "kw cd", "--move"};
        QTest::newRow("name") << QByteArrayList{"--by-name", "--range", "3-1", "--remove", "_*w"};
        QTest::newRow("type, include") << QByteArrayList{"--by-type", "--include", "txt,.DOC"};
        QTest::newRow("type, exclude") << QByteArrayList{"--by-type", "--exclude", "png"};
        QTest::newRow("smaller") << QByteArrayList{"--smaller", "1MB", "--include", "doc"};
        QTest::newRow("after with time") << QByteArrayList{"--after", "2023-06-30 23:59:59", "--exclude", "txt"};
        QTest::newRow("before, created") << QByteArrayList{"--before", "2099-01-01", "--created"};
        QTest::newRow("height, some types") << QByteArrayList{"--height", "=10", "--picture-types", "jpeg"};
        QTest::newRow("by date, modified") << QByteArrayList{"--by-date", "%Y/%m-%d", "--modified"};
        QTest::newRow("number on conflict") << QByteArrayList{"--by-type", "--on-conflict", "number"};
    }
    void savedSortSortsAsItsOptions() {
        QFETCH(QByteArrayList, options);
        writeInputs();
        // Saving alone touches no file.
        const CliResult saved = sort(QByteArrayList{"--save-preset", "p"} + options + QByteArrayList{"--out", "b"});
        QCOMPARE(saved.err, QByteArray());
        QCOMPARE(saved.exitCode, 0);
        QVERIFY(!QFileInfo::exists(path(u"b"_s)));
        const QStringList input = TreeOf(path(u"in"_s));
        QCOMPARE(sort(options + QByteArrayList{"--out", "a", "--no-journal", "in"}).exitCode, 0);
        if (options.contains("--move")) {
            RemoveTree(QFile::encodeName(path(u"in"_s)));
            writeInputs();
            QCOMPARE(TreeOf(path(u"in"_s)), input);
        }
        const CliResult viaPreset = sort({"--preset", "p", "in"});
        QCOMPARE(viaPreset.err, QByteArray());
        QCOMPARE(viaPreset.exitCode, 0);
        QVERIFY(!TreeOf(path(u"a"_s)).isEmpty());
        QCOMPARE(TreeOf(path(u"b"_s)), TreeOf(path(u"a"_s)));
    }

    // The options given override what the saved sort holds, for this run only.
    void optionsOverrideTheSavedSort_data() {
        QTest::addColumn<QByteArrayList>("saved");
        QTest::addColumn<QByteArrayList>("given");
        QTest::addColumn<QStringList>("tree");
        QTest::newRow("another criterion")
            << QByteArrayList{"--by-type", "--include", "doc"} << QByteArrayList{"--keywords", "cd"}
            << QStringList{u"cd/"_s, u"cd/ab_cd.doc"_s};
        QTest::newRow("another filter") << QByteArrayList{"--by-type", "--include", "doc"}
                                        << QByteArrayList{"--exclude", "doc,png,jpg"}
                                        << QStringList{u".txt/"_s, u".txt/a_kw.txt"_s};
        QTest::newRow("range of a name page")
            << QByteArrayList{"--by-name", "--include", "doc"} << QByteArrayList{"--range", "1-1"}
            << QStringList{u"a/"_s, u"a/ab_cd.doc"_s, u"b/"_s, u"b/b.doc"_s};
        QTest::newRow("time of a date page")
            << QByteArrayList{"--by-date", "%Y", "--include", "doc"} << QByteArrayList{"--modified"}
            << QStringList{u"2024/"_s, u"2024/ab_cd.doc"_s, u"2024/b.doc"_s};
    }
    void optionsOverrideTheSavedSort() {
        QFETCH(QByteArrayList, saved);
        QFETCH(QByteArrayList, given);
        QFETCH(QStringList, tree);
        writeInputs();
        QVERIFY(SetModificationTime(path(u"in/ab_cd.doc"_s), QDateTime(QDate(2024, 5, 6), QTime(12, 0))));
        QCOMPARE(sort(QByteArrayList{"--save-preset", "p", "--out", "saved"} + saved).exitCode, 0);
        const QByteArray file = ReadTestFile(presetFile(u"p.ini"_s));
        const CliResult result = sort(QByteArrayList{"--preset", "p", "--out", "given"} + given + QByteArrayList{"in"});
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(TreeOf(path(u"given"_s)), tree);
        QVERIFY(!QFileInfo::exists(path(u"saved"_s)));
        QCOMPARE(ReadTestFile(presetFile(u"p.ini"_s)), file);
    }

    // --save-preset with inputs saves, replacing the saved sort of that name, and then sorts.
    void savingReplacesAndSorts() {
        writeInputs();
        QCOMPARE(sort({"--save-preset", "p", "--keywords", "zz", "--out", "x"}).exitCode, 0);
        const CliResult result = sort({"--save-preset", "p", "--by-type", "--include", "doc", "--out", "y", "in"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(TreeOf(path(u"y"_s)), (QStringList{u".doc/"_s, u".doc/ab_cd.doc"_s, u".doc/b.doc"_s}));
        QVERIFY(ReadTestFile(presetFile(u"p.ini"_s)).contains("\nPage=2\n"));
    }

    void listing() {
        QCOMPARE(run({"presets"}).out, QByteArray());
        QCOMPARE(sort({"--save-preset", "photos\tbig", "--width", ">=1920", "--out", "wall\tpapers"}).exitCode, 0);
        QCOMPARE(sort({"--save-preset", ".docs", "--by-type", "--out", "/tmp/docs"}).exitCode, 0);
        QVERIFY(QFileInfo::exists(presetFile(u"photos%09big.ini"_s)));
        QVERIFY(QFileInfo::exists(presetFile(u"%2Edocs.ini"_s)));
        CliResult listed = run({"presets"});
        QCOMPARE(listed.exitCode, 0);
        QCOMPARE(listed.out,
                 ".docs\ttype\t/tmp/docs\nphotos\\tbig\timage\t" + QFile::encodeName(path(u"wall\\tpapers"_s)) + '\n');
        // One broken saved sort is named, and the others are still listed.
        WriteTestFile(presetFile(u"broken.ini"_s), "[Parameter]\nPage=9\n");
        listed = run({"presets"});
        QCOMPARE(listed.exitCode, 2);
        QVERIFY(listed.out.startsWith(".docs\ttype\t"));
        QVERIFY2(listed.err.contains("'broken'") && listed.err.contains("of Page cannot be read"),
                 listed.err.constData());
    }

    void refusals_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("error");
        QTest::newRow("unknown name lists the known")
            << QByteArrayList{"--preset", "nope", "in"}
            << QByteArray(
                   "--preset 'nope': no saved sort of that name. The saved sorts are:\n  bad\n  good\n  nowhere\n"
                   "  short\n");
        QTest::newRow("unreadable value")
            << QByteArrayList{"--preset", "bad", "in"} << QByteArray("the value '31.12.2024' of DTDate cannot be read");
        QTest::newRow("missing key") << QByteArrayList{"--preset", "short", "in"} << QByteArray("has no key Page");
        QTest::newRow("slash in name") << QByteArrayList{"--save-preset", "a/b", "--by-type", "--out", "o"}
                                       << QByteArray(
                                              "--save-preset: expected a name in valid UTF-8 of at most 200 bytes");
        QTest::newRow("long name") << QByteArrayList{"--save-preset", QByteArray(201, 'n'), "--by-type", "--out", "o"}
                                   << QByteArray("at most 200 bytes");
        QTest::newRow("empty name") << QByteArrayList{"--save-preset", "", "--by-type", "--out", "o"}
                                    << QByteArray("at most 200 bytes");
        QTest::newRow("value it cannot keep")
            << QByteArrayList{"--save-preset", "x", "--by-name", "--remove", " lead", "--out", "o"}
            << QByteArray("the value ' lead' of Filter cannot be kept");
        QTest::newRow("range beside a type page")
            << QByteArrayList{"--preset", "good", "--range", "1-2", "in"} << QByteArray("--range: only with --by-name");
        QTest::newRow("name not utf-8") << QByteArrayList{"--save-preset", "a\xff", "--by-type", "--out", "o"}
                                        << QByteArray("--save-preset: expected a name in valid UTF-8");
        QTest::newRow("no output folder saved") << QByteArrayList{"--preset", "nowhere", "in"}
                                                << QByteArray("the saved sort holds no absolute output folder");
        QTest::newRow("one saved sort twice") << QByteArrayList{"--preset", "good", "--preset", "good", "in"}
                                              << QByteArray("--preset: the same saved sort given more than once");
        QTest::newRow("no criterion without a preset")
            << QByteArrayList{"--out", "o", "in"} << QByteArray("no criterion: expected exactly one of");
    }
    void refusals() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, error);
        WriteTestFile(path(u"in/a.txt"_s));
        QCOMPARE(sort({"--save-preset", "good", "--by-type", "--out", "o"}).exitCode, 0);
        WriteTestFile(presetFile(u"bad.ini"_s),
                      ReadTestFile(presetFile(u"good.ini"_s)).replace("DTDate=", "DTDate=31.12.2024"));
        WriteTestFile(presetFile(u"short.ini"_s), ReadTestFile(presetFile(u"good.ini"_s)).replace("Page=2\n", ""));
        // The window saves whatever its output folder field holds, an empty one too.
        const QString good = QString::fromUtf8(ReadTestFile(presetFile(u"good.ini"_s)));
        WriteTestFile(presetFile(u"nowhere.ini"_s),
                      QString(good).replace(QRegularExpression(u"\nOutDir=[^\n]*\n"_s), u"\nOutDir=\n"_s).toUtf8());
        const CliResult result = sort(arguments);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains(error), result.err.constData());
        QVERIFY(!QFileInfo::exists(path(u"o"_s)));
        QVERIFY(!QFileInfo::exists(presetFile(u"x.ini"_s)));
    }
};

QTEST_GUILESS_MAIN(TestCliPresets)
#include "test_cli_presets.moc"

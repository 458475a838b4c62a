#include "testsupport/CliProcess.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// How the program reads its first argument and its options, as a terminal or a script meets it: the real program,
// with no display unless a row gives one, in English unless a row asks for Chinese.
class TestCliCommands : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    CliResult varnoth(const QByteArrayList& arguments, const QByteArrayList& environment = {}) {
        return RunCli(u"" VARNOTH_PROGRAM ""_s, arguments, m_dir->path(), m_dir->filePath(u"home"_s), {}, environment);
    }

private slots:
    void init() {
        QVERIFY(m_dir.emplace().isValid());
        WriteTestFile(m_dir->filePath(u"README"_s));
    }

    void firstArgument_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArrayList>("environment");
        QTest::addColumn<QByteArray>("err");
        const QByteArrayList display{"QT_QPA_PLATFORM=offscreen"};
        const QByteArray noDisplay = "varnoth: the window needs a display, and there is none (DISPLAY and "
                                     "WAYLAND_DISPLAY are not set); to sort without a window, see 'varnoth sort "
                                     "--help'\n";
        const auto row = [](const char* name, const QByteArrayList& arguments, const QByteArrayList& environment,
                            const QByteArray& err) { QTest::newRow(name) << arguments << environment << err; };
        row("mistyped sort", {"srot"}, {}, "varnoth: 'srot' is not a command or a file; did you mean 'sort'?\n");
        // With a display the window must not open either: the rest of the line was meant for the command.
        row("mistyped sort before a file, with a display", {"srot", "README"}, display,
            "varnoth: 'srot' is not a command or a file; did you mean 'sort'?\n");
        row("mistyped sort before options", {"sotr", "--by-type", "--out", "out", "README"}, {},
            "varnoth: 'sotr' is not a command or a file; did you mean 'sort'?\n");
        row("mistyped history", {"hsitory"}, {},
            "varnoth: 'hsitory' is not a command or a file; did you mean 'history'?\n");
        row("mistyped undo, in capitals", {"UDNO"}, {},
            "varnoth: 'UDNO' is not a command or a file; did you mean 'undo'?\n");
        row("near no command", {"xyzzy"}, display,
            "varnoth: 'xyzzy' is not a command or a file; see 'varnoth --help'\n");
        row("a hostile word", {"s\nrt\xff"}, {},
            "varnoth: 's\\nrt\\xFF' is not a command or a file; did you mean 'sort'?\n");
        row("the window, no display", {}, {}, noDisplay);
        row("the window with a file, no display", {"README"}, {}, noDisplay);
        row("a missing path after --, no display", {"--", "srot"}, {}, noDisplay);
        row("empty display variables", {"README"}, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="}, noDisplay);
    }
    // A first argument that is no command and names nothing, and the window without a display: one line and exit
    // status 2, never an abort, never a window.
    void firstArgument() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArrayList, environment);
        QFETCH(QByteArray, err);
        const CliResult result = varnoth(arguments, environment);
        QCOMPARE(result.err, err);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QByteArray());
    }

    void parserMessagesInTheUsersLanguage_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QByteArray>("err");
        const auto row = [](const char* name, const QByteArrayList& arguments, const QByteArray& language,
                            const QByteArray& err) { QTest::newRow(name) << arguments << language << err; };
        row("unknown option, English", {"sort", "--by-tpye"}, "en",
            "varnoth: Unknown option 'by-tpye'. See 'varnoth --help' for the options.\n");
        row("unknown option, Chinese", {"sort", "--by-tpye"}, "zh_CN",
            "varnoth: 未知选项 'by-tpye'。 选项说明见 'varnoth --help'。\n");
        row("unknown options, Chinese", {"history", "--all", "-x"}, "zh_CN",
            "varnoth: 未知选项：all, x。 选项说明见 'varnoth --help'。\n");
        row("missing value, Chinese", {"sort", "--by-type", "-o"}, "zh_CN",
            "varnoth: '-o' 之后缺少值。 选项说明见 'varnoth --help'。\n");
        row("unexpected value, Chinese", {"sort", "--by-type=yes"}, "zh_CN",
            "varnoth: '--by-type' 之后不应有值。 选项说明见 'varnoth --help'。\n");
        row("mistyped command, Chinese", {"srot"}, "zh_CN",
            "varnoth: 'srot' 既不是命令也不是文件；您是否想输入 'sort'？\n");
    }
    // The parser's own messages speak the user's language like every other line.
    void parserMessagesInTheUsersLanguage() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, language);
        QFETCH(QByteArray, err);
        const CliResult result = varnoth(arguments, {"LANGUAGE=" + language});
        QCOMPARE(QString::fromUtf8(result.err), QString::fromUtf8(err));
        QCOMPARE(result.exitCode, 2);
    }

    // -V is --version, for the program and for each command.
    void shortVersion_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::newRow("program") << QByteArrayList{"-V"};
        QTest::newRow("sort") << QByteArrayList{"sort", "-V"};
        QTest::newRow("undo") << QByteArrayList{"undo", "-V"};
    }
    void shortVersion() {
        QFETCH(QByteArrayList, arguments);
        const CliResult result = varnoth(arguments);
        QCOMPARE(result.out, QByteArray("varnoth " VARNOTH_VERSION "\n"));
        QCOMPARE(result.exitCode, 0);
    }
};

QTEST_GUILESS_MAIN(TestCliCommands)
#include "test_cli_commands.moc"

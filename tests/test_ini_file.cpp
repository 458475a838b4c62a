#include "settings/IniDocument.h"
#include "settings/IniFile.h"
#include "testsupport/FsErrorOutput.h"
#include "testsupport/TestFiles.h"

Q_DECLARE_METATYPE(Fs::Error)

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

// The profile file module: single keys read and written, every other line kept, atomic rewrites.
class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void readsValues_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<std::optional<QByteArray>>("value");
        const QByteArray file = "; settings\n"
                                "[Parameter]\n"
                                "Filter=  a b  \n"
                                "Empty=\n"
                                "Spaced Key = x = y\r\n"
                                "; Hidden=1\n"
                                "# Other=2\n"
                                "Page=3\n"
                                "Page=4\n"
                                "[Other]\n"
                                "Page=9\n";
        QTest::newRow("value trimmed") << file << QByteArray("Parameter") << QByteArray("Filter")
                                       << std::optional<QByteArray>("a b");
        QTest::newRow("empty value is present")
            << file << QByteArray("Parameter") << QByteArray("Empty") << std::optional<QByteArray>("");
        QTest::newRow("key with blank, value with '='")
            << file << QByteArray("Parameter") << QByteArray("Spaced Key") << std::optional<QByteArray>("x = y");
        QTest::newRow("section name ignores case")
            << file << QByteArray("PARAMETER") << QByteArray("Filter") << std::optional<QByteArray>("a b");
        QTest::newRow("key name ignores case")
            << file << QByteArray("Parameter") << QByteArray("fILTER") << std::optional<QByteArray>("a b");
        QTest::newRow("first of repeated keys")
            << file << QByteArray("Parameter") << QByteArray("Page") << std::optional<QByteArray>("3");
        QTest::newRow("key of another section")
            << file << QByteArray("Other") << QByteArray("Page") << std::optional<QByteArray>("9");
        QTest::newRow("';' comment is no key")
            << file << QByteArray("Parameter") << QByteArray("; Hidden") << std::optional<QByteArray>();
        QTest::newRow("'#' comment is no key")
            << file << QByteArray("Parameter") << QByteArray("# Other") << std::optional<QByteArray>();
        QTest::newRow("missing key") << file << QByteArray("Parameter") << QByteArray("CmbPic")
                                     << std::optional<QByteArray>();
        QTest::newRow("missing section") << file << QByteArray("Nothing") << QByteArray("Page")
                                         << std::optional<QByteArray>();
        QTest::newRow("key outside any section") << QByteArray("Page=1\n[Parameter]\n") << QByteArray("Parameter")
                                                 << QByteArray("Page") << std::optional<QByteArray>();
        QTest::newRow("byte order mark before the first section")
            << QByteArray("\xEF\xBB\xBF[Parameter]\nPage=2\n") << QByteArray("Parameter") << QByteArray("Page")
            << std::optional<QByteArray>("2");
        QTest::newRow("blanks around the section name")
            << QByteArray("  [ Parameter ]  \r\nPage=5\r\n") << QByteArray("Parameter") << QByteArray("Page")
            << std::optional<QByteArray>("5");
        QTest::newRow("last line without line break") << QByteArray("[Parameter]\nPage=2") << QByteArray("Parameter")
                                                      << QByteArray("Page") << std::optional<QByteArray>("2");
    }
    void readsValues() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(std::optional<QByteArray>, value);
        QCOMPARE(IniDocument(text).value(section, key), value);
    }

    void writesOneKey_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace, other lines kept byte for byte")
            << QByteArray("; comment \xb2\xe2\n[Parameter]\nFilter=old\n  Unknown = 1 \n\n[Foreign]\nFilter=x\n")
            << QByteArray("Filter") << QByteArray("new")
            << QByteArray("; comment \xb2\xe2\n[Parameter]\nFilter=new\n  Unknown = 1 \n\n[Foreign]\nFilter=x\n");
        QTest::newRow("replace ignoring case, keeps the line ending")
            << QByteArray("[parameter]\r\n  filter = old \r\nPage=1\r\n") << QByteArray("Filter") << QByteArray("new")
            << QByteArray("[parameter]\r\nFilter=new\r\nPage=1\r\n");
        QTest::newRow("add at the end of the section, before its blank lines")
            << QByteArray("[Parameter]\nFilter=a\n\n[Foreign]\nk=v\n") << QByteArray("Page") << QByteArray("2")
            << QByteArray("[Parameter]\nFilter=a\nPage=2\n\n[Foreign]\nk=v\n");
        QTest::newRow("add to the last section without final line break")
            << QByteArray("[Parameter]\nFilter=a") << QByteArray("Page") << QByteArray("2")
            << QByteArray("[Parameter]\nFilter=a\nPage=2\n");
        QTest::newRow("add to an empty section") << QByteArray("[Parameter]\n[Foreign]\n") << QByteArray("Page")
                                                 << QByteArray("2") << QByteArray("[Parameter]\nPage=2\n[Foreign]\n");
        QTest::newRow("new section after foreign lines")
            << QByteArray("# mine\n[Foreign]\nk=v") << QByteArray("Page") << QByteArray("2")
            << QByteArray("# mine\n[Foreign]\nk=v\n\n[Parameter]\nPage=2\n");
        QTest::newRow("new section follows CR LF line endings")
            << QByteArray("[Foreign]\r\nk=v\r\n") << QByteArray("Page") << QByteArray("2")
            << QByteArray("[Foreign]\r\nk=v\r\n\r\n[Parameter]\r\nPage=2\r\n");
        QTest::newRow("new section in an empty file")
            << QByteArray() << QByteArray("Page") << QByteArray("2") << QByteArray("[Parameter]\nPage=2\n");
        QTest::newRow("line breaks in a value cannot add a key")
            << QByteArray("[Parameter]\nFilter=a\n") << QByteArray("Filter") << QByteArray("x\nPage=5\r\n[Evil]\rk=v")
            << QByteArray("[Parameter]\nFilter=x Page=5  [Evil] k=v\n");
    }
    void writesOneKey() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, after);
        IniDocument document(before);
        document.setValue("Parameter", key, value);
        QCOMPARE(document.toBytes(), after);
    }

    void firstWriteCreatesFileAndFolder() {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"new/config/Varnoth.ini"_s);
        IniDocument document;
        document.setValue("Parameter", "Page", "1");
        QCOMPARE(WriteIniFile(path, document), Fs::Error());
        QCOMPARE(ReadTestFile(path), QByteArray("[Parameter]\nPage=1\n"));
    }

    void rewriteLeavesNoTemporaryFile() {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Varnoth.ini"_s);
        WriteTestFile(path, "[Parameter]\nPage=1\n");
        IniDocument document;
        QCOMPARE(ReadIniFile(path, document), Fs::Error());
        document.setValue("Parameter", "Page", "2");
        QCOMPARE(WriteIniFile(path, document), Fs::Error());
        QCOMPARE(EntriesOf(folder.path()), QStringList{u"Varnoth.ini"_s});
        QCOMPARE(ReadTestFile(path), QByteArray("[Parameter]\nPage=2\n"));
    }

    void rewriteKeepsSymbolicLinkAndPermissions() {
        QTemporaryDir folder;
        const QString target = folder.filePath(u"dotfiles/Varnoth.ini"_s);
        const QString link = folder.filePath(u"Varnoth.ini"_s);
        WriteTestFile(target, "[Parameter]\nPage=1\n");
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QVERIFY(QFile::link(u"dotfiles/Varnoth.ini"_s, link));
        IniDocument document;
        QCOMPARE(ReadIniFile(link, document), Fs::Error());
        document.setValue("Parameter", "Page", "2");
        QCOMPARE(WriteIniFile(link, document), Fs::Error());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadTestFile(target), QByteArray("[Parameter]\nPage=2\n"));
        QCOMPARE(QFile::permissions(target) & (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                               QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    }

    void onlyASmallRegularFileIsRead_data() {
        QTest::addColumn<QByteArray>("command"); // makes Varnoth.ini in the current folder
        QTest::addColumn<Fs::Error>("error");
        QTest::newRow("a FIFO, without waiting for a writer")
            << QByteArray("mkfifo Varnoth.ini") << Fs::Error{Fs::Operation::CheckSource, EINVAL};
        QTest::newRow("a link to a device")
            << QByteArray("ln -s /dev/zero Varnoth.ini") << Fs::Error{Fs::Operation::CheckSource, EINVAL};
        QTest::newRow("a file of 1 MB is read") << QByteArray("truncate -s 1M Varnoth.ini") << Fs::Error();
        QTest::newRow("a larger one is not")
            << QByteArray("truncate -s 40G Varnoth.ini") << Fs::Error{Fs::Operation::CheckSource, EFBIG};
    }
    void onlyASmallRegularFileIsRead() {
        QFETCH(QByteArray, command);
        QFETCH(Fs::Error, error);
        QTemporaryDir folder;
        QProcess shell;
        shell.setWorkingDirectory(folder.path());
        shell.start(u"sh"_s, {u"-c"_s, QString::fromUtf8(command)});
        QVERIFY(shell.waitForFinished() && shell.exitCode() == 0);
        IniDocument document;
        QCOMPARE(ReadIniFile(folder.filePath(u"Varnoth.ini"_s), document), error);
    }

    void aWriteProtectedFileIsNotReplaced() {
        // Also when running as root, who could write the file anyway.
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Varnoth.ini"_s);
        WriteTestFile(path, "[Parameter]\nPage=1\n");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        IniDocument document;
        document.setValue("Parameter", "Page", "2");
        QCOMPARE(WriteIniFile(path, document), (Fs::Error{Fs::Operation::CheckTarget, EACCES}));
        QCOMPARE(ReadTestFile(path), QByteArray("[Parameter]\nPage=1\n"));
        QCOMPARE(EntriesOf(folder.path()), QStringList{u"Varnoth.ini"_s});
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_ini_file.moc"

#include "core/EmbeddedTranslations.h"
#include "testsupport/TestFiles.h"
#include "testsupport/VisibleTexts.h"
#include "ui/Translations.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

// One entry of a translation file.
struct Entry {
    QString context;
    QString source;
    QStringList translations; // one, or one for each plural form
    QString type;             // "unfinished", "vanished", "obsolete", or empty when finished
};

// The text of the translation element at xml, or the texts of its plural forms; reads to its end.
QStringList translationsIn(QXmlStreamReader& xml) {
    QStringList texts;
    QString text;
    while (!xml.atEnd() && !(xml.readNext() == QXmlStreamReader::EndElement && xml.name() == u"translation"_s)) {
        if (xml.isStartElement() && xml.name() == u"numerusform"_s) {
            texts.append(xml.readElementText());
        } else if (xml.isCharacters()) {
            text += xml.text();
        }
    }
    return texts.isEmpty() ? QStringList{text} : texts;
}

QList<Entry> entriesOf(const QString& tsFile) {
    QFile file(tsFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QList<Entry> entries;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == u"name"_s) {
            context = xml.readElementText();
        } else if (xml.name() == u"message"_s) {
            entries.append({context, {}, {}, {}});
        } else if (xml.name() == u"source"_s) {
            entries.last().source = xml.readElementText();
        } else if (xml.name() == u"translation"_s) {
            entries.last().type = xml.attributes().value(u"type"_s).toString();
            entries.last().translations = translationsIn(xml);
        }
    }
    return entries;
}

// The %1 … %9 and %n placeholders of a text, each once.
QSet<QString> placeholdersOf(const QString& text) {
    QSet<QString> found;
    static const QRegularExpression placeholder(u"%L?[1-9n]"_s);
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text)) {
        found.insert(match.captured());
    }
    return found;
}

// What is wrong with the entries of a translation file: unfinished, vanished or empty entries, identity copies, a
// placeholder lost or added, and, where the translation must be English, a Chinese character in it.
QStringList faultsOf(const QList<Entry>& entries, bool translationIsEnglish) {
    QStringList faults;
    for (const Entry& entry : entries) {
        const QString where = entry.context + u": "_s + entry.source;
        if (!entry.type.isEmpty()) {
            faults.append(entry.type + u": "_s + where);
            continue;
        }
        for (const QString& translation : entry.translations) {
            if (translation.isEmpty() || translation == entry.source) {
                faults.append(u"no translation: "_s + where);
            } else if (placeholdersOf(translation) != placeholdersOf(entry.source)) {
                faults.append(u"other placeholders: "_s + where);
            } else if (translationIsEnglish && !WithCjkCharacters({translation}).isEmpty()) {
                faults.append(u"Chinese in the English: "_s + where);
            }
        }
    }
    return faults;
}

// The program run with the given language settings; standard output and error together.
QString runProgram(const QStringList& arguments, const QStringList& environment, const QString& folder) {
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {u"LANGUAGE"_s, u"LANG"_s, u"LC_ALL"_s, u"LC_MESSAGES"_s, u"DISPLAY"_s}) {
        variables.remove(name);
    }
    variables.insert(u"HOME"_s, folder);
    for (const QString& variable : environment) {
        variables.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    }
    QProcess process;
    process.setProcessEnvironment(variables);
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(VARNOTH_PROGRAM), arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAll());
}

} // namespace

class TestLanguages : public QObject {
    Q_OBJECT
private slots:
    void theWindowsSpeakChineseOnlyToChineseAndTheCLocale_data() {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("C locale") << QStringList{u"C"_s} << true;
        QTest::newRow("POSIX") << QStringList{u"POSIX"_s} << true;
        QTest::newRow("none") << QStringList() << true;
        QTest::newRow("simplified") << QStringList{u"zh-CN"_s, u"zh-Hans-CN"_s, u"zh"_s} << true;
        QTest::newRow("traditional") << QStringList{u"zh-TW"_s, u"en"_s} << true;
        QTest::newRow("English") << QStringList{u"en"_s, u"en-Latn-US"_s, u"en-US"_s} << false;
        QTest::newRow("German") << QStringList{u"de-DE"_s} << false;
        QTest::newRow("French before Chinese") << QStringList{u"fr"_s, u"zh-CN"_s} << false;
    }
    void theWindowsSpeakChineseOnlyToChineseAndTheCLocale() {
        QFETCH(QStringList, uiLanguages);
        QFETCH(bool, chinese);
        QCOMPARE(WindowsSpeakChinese(uiLanguages), chinese);
    }

    // lupdate over a copy of the sources finds every text translated: a new text would come in unfinished, a
    // removed one would stay behind as vanished.
    void theTranslationsAreCompleteAndUpToDate() {
        QTemporaryDir copy;
        QVERIFY(copy.isValid());
        QProcess cp;
        cp.setWorkingDirectory(QStringLiteral(SOURCE_DIR));
        cp.start(u"cp"_s, {u"-R"_s, u"src"_s, u"translations"_s, u"scripts"_s, copy.path()});
        QVERIFY(cp.waitForFinished() && cp.exitCode() == 0);
        QProcess update;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"LUPDATE"_s, QStringLiteral(LUPDATE));
        update.setProcessEnvironment(environment);
        update.setProcessChannelMode(QProcess::MergedChannels);
        update.start(u"bash"_s, {copy.filePath(u"scripts/update-translations.sh"_s), copy.path()});
        QVERIFY(update.waitForFinished(120000));
        QVERIFY2(update.exitCode() == 0, update.readAll().constData());

        const QList<Entry> english = entriesOf(copy.filePath(u"translations/varnoth_en.ts"_s));
        const QList<Entry> chinese = entriesOf(copy.filePath(u"translations/varnoth_cli_zh_CN.ts"_s));
        QVERIFY(english.size() > 100 && chinese.size() > 50);
        const QStringList faults = faultsOf(english, true) + faultsOf(chinese, false);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // Every translation in the files reaches the program: each library carries its own texts' part, and a library
    // whose texts were left out would show them untranslated.
    void everyTranslationIsCarriedIntoTheProgram_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("window, engine and journal texts") << u"varnoth_en"_s;
        QTest::newRow("command-line texts") << u"varnoth_cli_zh_CN"_s;
    }
    void everyTranslationIsCarriedIntoTheProgram() {
        QFETCH(QString, name);
        const QList<Entry> entries = entriesOf(QStringLiteral(SOURCE_DIR "/translations/") + name + u".ts"_s);
        QVERIFY(!entries.isEmpty());
        const EmbeddedTranslations translations(name);
        QStringList missing;
        for (const Entry& entry : entries) {
            // A text with plural forms is asked for in the first form, with its count filled in.
            const bool plural = entry.translations.size() > 1;
            QString expected = entry.translations.value(0);
            if (plural) {
                expected.replace(u"%n"_s, u"1"_s);
            }
            const QString shown = QCoreApplication::translate(
                entry.context.toUtf8().constData(), entry.source.toUtf8().constData(), nullptr, plural ? 1 : -1);
            if (shown != expected) {
                missing.append(entry.context + u": "_s + entry.source);
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
    }

    // The command line: English by default and in the C locale, Chinese when the language is Chinese.
    void theCommandLineSpeaksTheUsersLanguage_data() {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        const QStringList help{u"--help"_s};
        const QStringList noOutput{u"sort"_s, u"--by-type"_s, u"in"_s};
        const QStringList run{u"sort"_s, u"--by-type"_s, u"--out"_s, u"out"_s, u"in"_s};
        QTest::newRow("help, English") << QStringList{u"LANGUAGE=en"_s} << help << u"Usage:\n"_s;
        QTest::newRow("help, Chinese") << QStringList{u"LANGUAGE=zh_CN"_s} << help << u"用法：\n"_s;
        QTest::newRow("error, English") << QStringList{u"LANGUAGE=en"_s} << noOutput
                                        << u"--out: missing; expected the output folder"_s;
        QTest::newRow("error, Chinese") << QStringList{u"LANGUAGE=zh_CN"_s} << noOutput
                                        << u"--out：缺少；应给出输出文件夹"_s;
        QTest::newRow("error, C locale") << QStringList{u"LC_ALL=C"_s} << noOutput
                                         << u"--out: missing; expected the output folder"_s;
        QTest::newRow("summary, German")
            << QStringList{u"LANG=de_DE.UTF-8"_s} << run
            << u"0 failed, 1 placed, 0 left as they were, 0 identical, 0 filtered, 0 not matching"_s;
        QTest::newRow("summary, Chinese")
            << QStringList{u"LANG=zh_CN.UTF-8"_s} << run
            << u"失败 0 个，已分拣 1 个，因同名未处理 0 个，内容相同 0 个，已过滤 0 个，不符合条件 0 个"_s;
        // A plan's actions are codes that scripts read, in every language; the reason of a step that does not act
        // is the preview's, in the command line's language.
        QTest::newRow("dry run, Chinese")
            << QStringList{u"LANGUAGE=zh_CN"_s} << (run + QStringList{u"--dry-run"_s}) << u"copy\t"_s;
        const QStringList filtered = run + QStringList{u"--dry-run"_s, u"--exclude"_s, u"txt"_s};
        QTest::newRow("dry run reason, C locale")
            << QStringList{u"LC_ALL=C"_s} << filtered << u"\ttype .txt is among the types not to sort\n"_s;
        QTest::newRow("dry run reason, Chinese")
            << QStringList{u"LANGUAGE=zh_CN"_s} << filtered << u"\t类型 .txt 在不分拣的类型中\n"_s;
    }
    void theCommandLineSpeaksTheUsersLanguage() {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        WriteTestFile(folder.filePath(u"in/a.txt"_s));
        const QString said = runProgram(arguments, environment, folder.path());
        QVERIFY2(said.contains(expected), qPrintable(said));
    }
};

QTEST_MAIN(TestLanguages)
#include "test_languages.moc"

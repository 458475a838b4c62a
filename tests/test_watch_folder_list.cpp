#include "presets/PresetStore.h"
#include "presets/WatchFolderList.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The folders a saved sort watches, kept on the one line of its WatchFolders key.
class TestWatchFolderList : public QObject {
    Q_OBJECT

private slots:
    // Any folder paths come back as they were: line breaks, '|', '%', blanks and bytes that are not UTF-8 included;
    // the value stays on one line.
    void anyPathsComeBack() {
        QRandomGenerator random(25);
        const QByteArray alphabet("ab|%\n\r\t =/\x7f\xff\xc3\xa9");
        for (int round = 0; round < 500; ++round) {
            QByteArrayList folders;
            const int count = int(random.bounded(4));
            for (int i = 0; i < count; ++i) {
                QByteArray folder("/");
                for (int length = int(random.bounded(1, 12)); length > 0; --length) {
                    folder.append(alphabet[int(random.bounded(int(alphabet.size())))]);
                }
                folders.append(folder);
            }
            const QByteArray value = WatchFoldersValue(folders);
            QVERIFY2(!value.contains('\n') && !value.contains('\r'), value.constData());
            QCOMPARE(WatchFoldersOf(value), std::optional(folders));
        }
        QCOMPARE(WatchFoldersValue({"/home/u/Down loads", "/a|b"}), QByteArray("/home/u/Down%20loads|/a%7Cb"));
    }

    void malformedValuesAreRefused_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("cut escape") << QByteArray("/a%2");
        QTest::newRow("not hex") << QByteArray("/a%zz");
        QTest::newRow("raw blank") << QByteArray("/a b");
        QTest::newRow("empty folder between two") << QByteArray("/a||/b");
        QTest::newRow("NUL") << QByteArray("/a%00b");
    }
    void malformedValuesAreRefused() {
        QFETCH(QByteArray, value);
        QCOMPARE(WatchFoldersOf(value), std::nullopt);
    }

    // Saving the folders keeps the saved sort itself; a saved sort that does not exist is not made by it, and an
    // unreadable key names itself.
    void savedBesideTheSort() {
        QTemporaryDir dir;
        const QString folder = dir.path();
        RunInputs inputs;
        inputs.page = TypePage;
        inputs.outputFolder = dir.filePath(u"out"_s);
        QCOMPARE(SavePreset(u"Downloads"_s, inputs, folder), std::nullopt);
        QCOMPARE(std::get<QByteArrayList>(LoadWatchFolders(u"Downloads"_s, folder)), QByteArrayList());
        const QByteArrayList watched{"/home/u/Downloads", "/media/x y"};
        QCOMPARE(SaveWatchFolders(u"Downloads"_s, watched, folder), std::nullopt);
        QCOMPARE(std::get<QByteArrayList>(LoadWatchFolders(u"Downloads"_s, folder)), watched);
        QCOMPARE(std::get<RunInputs>(LoadPreset(u"Downloads"_s, folder)).outputFolder, inputs.outputFolder);
        // Saving the sort again keeps its folders.
        QCOMPARE(SavePreset(u"Downloads"_s, inputs, folder), std::nullopt);
        QCOMPARE(std::get<QByteArrayList>(LoadWatchFolders(u"Downloads"_s, folder)), watched);

        const std::optional<PresetError> missing = SaveWatchFolders(u"Other"_s, watched, folder);
        QVERIFY(missing && missing->kind == PresetError::Kind::NotFound);
        QVERIFY(!PresetExists(u"Other"_s, folder));

        QFile file(PresetFilePath(u"Downloads"_s, folder));
        QVERIFY(file.open(QIODevice::Append));
        file.write("\n[Parameter]\n");
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        file.close();
        text.replace("WatchFolders=/home", "WatchFolders=%zz/home");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        const auto broken = LoadWatchFolders(u"Downloads"_s, folder);
        QVERIFY(std::holds_alternative<PresetError>(broken));
        QCOMPARE(std::get<PresetError>(broken).keyFault.key, QByteArray("WatchFolders"));
    }
};

QTEST_GUILESS_MAIN(TestWatchFolderList)
#include "test_watch_folder_list.moc"

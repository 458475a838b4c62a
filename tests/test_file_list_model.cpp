#include "filelist/FileListModel.h"
#include "testsupport/FileSystemFixtures.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFileListModel : public QObject {
    Q_OBJECT
private slots:
    void appendUnique_data();
    void appendUnique();
    void caseTwinsOnDisk_data();
    void caseTwinsOnDisk();
    void noEntryHoldsANulByte();
    void aMillionEntriesKeepTheirOrderAndIndex();
    void appendAllKeepsDuplicates();
    void removalKeepsTheIndexInStep();
    void removeOutsideTheListChangesNothing();
    void clearEmptiesTheIndex();
    void appendingNothingNewSignalsNothing();
    void displayShowsBrokenBytesAsReplacementCharacters();
};

void TestFileListModel::appendUnique_data() {
    QTest::addColumn<QByteArrayList>("before");
    QTest::addColumn<QByteArrayList>("batch");
    QTest::addColumn<QByteArrayList>("after");

    QTest::newRow("distinct paths are appended in batch order")
        << QByteArrayList{} << QByteArrayList{"/b", "/a", "/c"} << QByteArrayList{"/b", "/a", "/c"};
    QTest::newRow("a path already listed in other letter case is skipped")
        << QByteArrayList{"/pics/Foto.JPG"} << QByteArrayList{"/pics/foto.jpg", "/pics/other.jpg"}
        << QByteArrayList{"/pics/Foto.JPG", "/pics/other.jpg"};
    QTest::newRow("the first of case twins inside one batch wins")
        << QByteArrayList{} << QByteArrayList{"/a/X.jpg", "/a/x.JPG", "/a/y", "/A/X.JPG"}
        << QByteArrayList{"/a/X.jpg", "/a/y"};
    QTest::newRow("the list is appended to, never reordered")
        << QByteArrayList{"/z", "/m"} << QByteArrayList{"/a", "/m", "/b"} << QByteArrayList{"/z", "/m", "/a", "/b"};
    QTest::newRow("letters beyond ASCII compare ignoring case")
        << QByteArrayList{"/照片/Äpfel-Ω.txt"} << QByteArrayList{"/照片/äPFEL-ω.txt", "/照片/äpfel.txt"}
        << QByteArrayList{"/照片/Äpfel-Ω.txt", "/照片/äpfel.txt"};
    QTest::newRow("broken UTF-8 compares on bytes with ASCII letters folded") << QByteArrayList{"/x\xff"
                                                                                                "A.txt"}
                                                                              << QByteArrayList{"/X\xff"
                                                                                                "a.TXT",
                                                                                                "/x\xfe"
                                                                                                "a.txt"}
                                                                              << QByteArrayList{"/x\xff"
                                                                                                "A.txt",
                                                                                                "/x\xfe"
                                                                                                "a.txt"};
    QTest::newRow("Latin-1 bytes and their UTF-8 spelling are different paths")
        << QByteArrayList{"/caf\xe9"} << QByteArrayList{"/caf\xc3\xa9", "/CAF\xe9"}
        << QByteArrayList{"/caf\xe9", "/caf\xc3\xa9"};
    QTest::newRow("two spellings of one path are two entries")
        << QByteArrayList{"/a/b"} << QByteArrayList{"/a//b", "/a/./b", "/a/b"}
        << QByteArrayList{"/a/b", "/a//b", "/a/./b"};
    QTest::newRow("an empty batch changes nothing") << QByteArrayList{"/a"} << QByteArrayList{} << QByteArrayList{"/a"};
}

void TestFileListModel::appendUnique() {
    QFETCH(QByteArrayList, before);
    QFETCH(QByteArrayList, batch);
    QFETCH(QByteArrayList, after);
    FileListModel model;
    model.appendAll(before);
    model.AppendUnique(batch);
    QCOMPARE(model.paths(), after);
    QCOMPARE(model.rowCount(), int(after.size()));
}

// Paths equal ignoring case are one entry only when they name one file; %D is a folder holding a.txt, A.txt,
// photos/x.jpg and the link Photos -> photos.
void TestFileListModel::caseTwinsOnDisk_data() {
    QTest::addColumn<QByteArrayList>("batch");
    QTest::addColumn<QByteArrayList>("after");

    QTest::newRow("two files differing in case are both listed")
        << QByteArrayList{"%D/a.txt", "%D/A.txt", "%D/A.TXT"} << QByteArrayList{"%D/a.txt", "%D/A.txt"};
    QTest::newRow("one file through a folder link differing in case is listed once")
        << QByteArrayList{"%D/photos/x.jpg", "%D/Photos/x.jpg", "%D/PHOTOS/X.JPG"} << QByteArrayList{"%D/photos/x.jpg"};
    QTest::newRow("a twin of a listed file that cannot be examined is not listed")
        << QByteArrayList{"%D/photos/x.jpg", "%D/photos/X.jpg"} << QByteArrayList{"%D/photos/x.jpg"};
}

void TestFileListModel::caseTwinsOnDisk() {
    QFETCH(QByteArrayList, batch);
    QFETCH(QByteArrayList, after);
    QTemporaryDir folder;
    const QByteArray dir = QFile::encodeName(folder.path());
    MakeFile(dir + "/a.txt");
    MakeFile(dir + "/A.txt");
    MakeFolder(dir + "/photos");
    MakeFile(dir + "/photos/x.jpg");
    MakeLink("photos", dir + "/Photos");
    for (QByteArrayList* paths : {&batch, &after}) {
        for (QByteArray& path : *paths) {
            path.replace("%D", dir);
        }
    }
    FileListModel model;
    model.AppendUnique(batch);
    QCOMPARE(model.paths(), after);
    // The same again, one by one, against the list as it stands.
    for (const QByteArray& path : batch) {
        model.AppendUnique({path});
    }
    QCOMPARE(model.paths(), after);
}

// A path with a NUL inside would be shown and filtered whole while the system acts on the part before the NUL.
void TestFileListModel::noEntryHoldsANulByte() {
    FileListModel model;
    model.AppendUnique({QByteArray("/d/a.txt\0.jpg", 14), "/d/b"});
    model.appendAll({QByteArray("/d/c.txt\0.jpg", 14), "", "/d/c"});
    QCOMPARE(model.paths(), (QByteArrayList{"/d/b", "/d/c"}));
}

// The arena spans many blocks and the index grows many times: every entry stays where it was put, and the index
// still finds each one after removals renumbered the rows.
void TestFileListModel::aMillionEntriesKeepTheirOrderAndIndex() {
    FileListModel model;
    QByteArrayList batch;
    for (int i = 0; i < 1000000; ++i) {
        batch.append("/home/user/photos/2024/folder_" + QByteArray::number(i / 1000) + "/IMG_" + QByteArray::number(i) +
                     ".JPG");
        if (batch.size() == 10000) {
            model.AppendUnique(batch);
            batch.clear();
        }
    }
    QCOMPARE(model.size(), 1000000);
    QCOMPARE(model.at(0), QByteArray("/home/user/photos/2024/folder_0/IMG_0.JPG"));
    QCOMPARE(model.at(999999), QByteArray("/home/user/photos/2024/folder_999/IMG_999999.JPG"));
    model.removeAt(0);
    model.removeAt(500000);
    QCOMPARE(model.at(0), QByteArray("/home/user/photos/2024/folder_0/IMG_1.JPG"));
    QCOMPARE(model.at(500000), QByteArray("/home/user/photos/2024/folder_500/IMG_500002.JPG"));
    model.AppendUnique({"/home/user/photos/2024/folder_0/img_0.jpg", "/HOME/user/photos/2024/folder_500/IMG_500001.JPG",
                        "/home/user/photos/2024/FOLDER_999/img_999999.jpg"});
    QCOMPARE(model.size(), 1000000);
    QCOMPARE(model.at(999999), QByteArray("/HOME/user/photos/2024/folder_500/IMG_500001.JPG"));
}

void TestFileListModel::appendAllKeepsDuplicates() {
    FileListModel model;
    model.appendAll({"/d/a.txt", "/d/a.txt", "/d/A.TXT"});
    QCOMPARE(model.paths(), (QByteArrayList{"/d/a.txt", "/d/a.txt", "/d/A.TXT"}));
}

void TestFileListModel::removalKeepsTheIndexInStep() {
    FileListModel model;
    model.appendAll({"/d/a.txt", "/d/A.txt", "/d/b.txt"});

    // One of two case twins removed: the other still blocks the path.
    model.removeAt(0);
    model.AppendUnique({"/D/a.TXT"});
    QCOMPARE(model.paths(), (QByteArrayList{"/d/A.txt", "/d/b.txt"}));

    // The last one removed: the path can come back.
    model.removeAt(0);
    model.AppendUnique({"/D/a.TXT"});
    QCOMPARE(model.paths(), (QByteArrayList{"/d/b.txt", "/D/a.TXT"}));
}

void TestFileListModel::removeOutsideTheListChangesNothing() {
    FileListModel model;
    model.appendAll({"/a", "/b"});
    model.removeAt(-1);
    model.removeAt(2);
    QCOMPARE(model.paths(), (QByteArrayList{"/a", "/b"}));
}

void TestFileListModel::clearEmptiesTheIndex() {
    FileListModel model;
    model.appendAll({"/a", "/b"});
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    model.AppendUnique({"/A", "/b"});
    QCOMPARE(model.paths(), (QByteArrayList{"/A", "/b"}));
}

void TestFileListModel::appendingNothingNewSignalsNothing() {
    FileListModel model;
    model.appendAll({"/a"});
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.AppendUnique({"/A", "/a"});
    QCOMPARE(inserted.count(), 0);
    model.AppendUnique({"/b", "/c", "/B"});
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(1).toInt(), 1);
    QCOMPARE(inserted.at(0).at(2).toInt(), 2);
}

void TestFileListModel::displayShowsBrokenBytesAsReplacementCharacters() {
    FileListModel model;
    model.appendAll({"/照片/a\xff.jpg"});
    QCOMPARE(model.data(model.index(0), Qt::DisplayRole).toString(), u"/照片/a\uFFFD.jpg"_s);
    QCOMPARE(model.at(0), QByteArray("/照片/a\xff.jpg"));
}

QTEST_GUILESS_MAIN(TestFileListModel)
#include "test_file_list_model.moc"

#include "filelist/FileListModel.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFileListModel : public QObject {
    Q_OBJECT
private slots:
    void appendUnique_data();
    void appendUnique();
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

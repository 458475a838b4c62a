#include "core/FileNames.h"
#include "core/TextBytes.h"
#include "engine/criteria/KeywordCriterion.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Byte-level text helpers, path parts and the keyword split and match.
class TestTextAndNames : public QObject {
    Q_OBJECT
private slots:
    void foldAsciiUpperTouchesOnlyAsciiLetters() {
        QCOMPARE(FoldAsciiUpper("abz-ABZ-09_{}`"), QByteArray("ABZ-ABZ-09_{}`"));
        // Full-width and accented letters, and the bytes of Chinese text, stay as they are.
        QCOMPARE(FoldAsciiUpper(u"ａé游记x"_s.toUtf8()), u"ａé游记X"_s.toUtf8());
        QCOMPARE(FoldAsciiUpper("\xff\xfe"
                                "a"),
                 QByteArray("\xff\xfe"
                            "A"));
    }

    void trimDropsBlanksAndControlCharacters() {
        QCOMPARE(TrimBlanksAndControls(u" \t\r\n 游记 \x01"_s), u"游记"_s);
        QCOMPARE(TrimBlanksAndControls(u"\u3000a\u3000"_s), u"\u3000a\u3000"_s); // the ideographic space is text
        QCOMPARE(TrimBlanksAndControls(QByteArray(" \x1f a b \x7f")), QByteArray("a b \x7f"));
        QCOMPARE(TrimBlanksAndControls(u"   "_s), QString());
    }

    void pathParts_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("stem");
        QTest::addColumn<QByteArray>("extension");
        QTest::newRow("plain") << QByteArray("/d/photo.jpg") << QByteArray("photo.jpg") << QByteArray("photo")
                               << QByteArray(".jpg");
        QTest::newRow("two dots") << QByteArray("/d/a.tar.gz") << QByteArray("a.tar.gz") << QByteArray("a.tar")
                                  << QByteArray(".gz");
        QTest::newRow("no dot") << QByteArray("/d/README") << QByteArray("README") << QByteArray("README")
                                << QByteArray();
        QTest::newRow("leading dot only")
            << QByteArray("/home/u/.profile") << QByteArray(".profile") << QByteArray() << QByteArray(".profile");
        QTest::newRow("dot in folder only")
            << QByteArray("/data.old/README") << QByteArray("README") << QByteArray("README") << QByteArray();
        QTest::newRow("upper-case extension")
            << QByteArray("IMG_001.JPG") << QByteArray("IMG_001.JPG") << QByteArray("IMG_001") << QByteArray(".JPG");
        QTest::newRow("trailing dot") << QByteArray("/d/name.") << QByteArray("name.") << QByteArray("name")
                                      << QByteArray(".");
        QTest::newRow("not UTF-8") << QByteArray("/d/\xb2\xe2\xca\xd4.txt") << QByteArray("\xb2\xe2\xca\xd4.txt")
                                   << QByteArray("\xb2\xe2\xca\xd4") << QByteArray(".txt");
    }
    void pathParts() {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, stem);
        QFETCH(QByteArray, extension);
        QCOMPARE(FileNameOf(path), name);
        QCOMPARE(StemOf(name), stem);
        QCOMPARE(ExtensionOf(name), extension);
    }

    void splitKeywords_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("keywords");
        QTest::newRow("one") << u"游记"_s << QStringList{u"游记"_s};
        QTest::newRow("blanks around") << u" 游记 "_s << QStringList{QString(), u"游记"_s, QString()};
        QTest::newRow("two spaces") << u"a  b"_s << QStringList{u"a"_s, QString(), u"b"_s};
        QTest::newRow("repeats kept") << u"a a"_s << QStringList{u"a"_s, u"a"_s};
        QTest::newRow("only ASCII space separates") << u"a\u3000b\tc d"_s << QStringList{u"a\u3000b\tc"_s, u"d"_s};
    }
    void splitKeywords() {
        QFETCH(QString, text);
        QFETCH(QStringList, keywords);
        QStringList got;
        for (const QByteArray& keyword : SplitKeywords(text.toUtf8())) {
            got.append(QString::fromUtf8(keyword));
        }
        QCOMPARE(got, keywords);
    }

    void stemContainsKeyword_data() {
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<bool>("contains");
        QTest::newRow("Chinese") << u"西游记"_s << u"游记"_s << true;
        QTest::newRow("ASCII case ignored") << u"xAbCx"_s << u"abc"_s << true;
        QTest::newRow("case ignored the other way") << u"Photo2024"_s << u"PHOTO"_s << true;
        QTest::newRow("full-width case kept") << u"ＡＢ"_s << u"ａｂ"_s << false;
        QTest::newRow("accent case kept") << u"É"_s << u"é"_s << false;
        QTest::newRow("dot inside stem") << u"setup-ver.2"_s << u"ver.2"_s << true;
        QTest::newRow("empty stem") << QString() << u"a"_s << false;
        QTest::newRow("empty keyword") << u"abc"_s << QString() << false;
        QTest::newRow("absent") << u"report"_s << u"doc"_s << false;
    }
    void stemContainsKeyword() {
        QFETCH(QString, stem);
        QFETCH(QString, keyword);
        QFETCH(bool, contains);
        QCOMPARE(StemContainsKeyword(stem.toUtf8(), keyword.toUtf8()), contains);
    }

    void caseInsensitiveEquality_data() {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<bool>("equal");
        QTest::newRow("ASCII") << QByteArray("/D/Photo.JPG") << QByteArray("/d/photo.jpg") << true;
        QTest::newRow("Greek") << u"/d/ΣΊΣΥΦΟΣ"_s.toUtf8() << u"/d/σίσυφοσ"_s.toUtf8() << true;
        QTest::newRow("different") << QByteArray("/d/a") << QByteArray("/d/b") << false;
        QTest::newRow("the Kelvin sign folds to the ASCII k")
            << u"/d/\u212A.txt"_s.toUtf8() << QByteArray("/d/K.TXT") << true;
        QTest::newRow("not UTF-8, ASCII folded")
            << QByteArray("/d/\xb2\xe2.TXT") << QByteArray("/d/\xb2\xe2.txt") << true;
        QTest::newRow("not UTF-8, other bytes") << QByteArray("/d/\xb2\xe2") << QByteArray("/d/\xb2\xe3") << false;
        QTest::newRow("no path normalisation") << QByteArray("/d//a") << QByteArray("/d/a") << false;
    }
    void caseInsensitiveEquality() {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(bool, equal);
        QCOMPARE(EqualIgnoringCase(a, b), equal);
        QCOMPARE(CaseFoldKey(a) == CaseFoldKey(b), equal);
    }
};

QTEST_GUILESS_MAIN(TestTextAndNames)
#include "test_text_and_names.moc"

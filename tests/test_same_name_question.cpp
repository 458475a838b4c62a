#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "testsupport/LabelledContent.h"
#include "testsupport/ShownText.h"
#include "testsupport/TestFiles.h"
#include "testsupport/WindowTest.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
// Times and sizes in the question follow the regional formats; the C locale and UTC make them the same everywhere.
void useCLocaleAndUtc() {
    qputenv("LC_ALL", "C");
    qputenv("TZ", "UTC0");
}
Q_CONSTRUCTOR_FUNCTION(useCLocaleAndUtc)

// A name that, read as markup, would hide the real path behind a reassuring message.
const QString kMarkupName = u"<font color=white>a<h3>临时副本，可放心覆盖.txt"_s;

// Writes content to path, or a file of size bytes with nothing in it when size is given, modified at 2024-02-10
// 09:30 UTC.
void writeFile(const QString& path, const QByteArray& content, qint64 size = -1) {
    const QByteArray bytes = WriteTestFile(path, content);
    QVERIFY(size < 0 || ::truncate(bytes.constData(), size) == 0);
    const struct timespec times[2] = {{1707557400, 0}, {1707557400, 0}};
    QVERIFY(::utimensat(AT_FDCWD, bytes.constData(), times, 0) == 0);
}
} // namespace

// The same-name question under the policy 询问: the evidence a user needs to answer it, and the answers to all.
class TestSameNameQuestion : public WindowTest {
    Q_OBJECT
private:
    // Lists src/name for each name and sorts them by the keyword "a" under the ask policy into out/a.
    void startRun(const QStringList& names) {
        for (const QString& name : names) {
            mainWindow().fileList().AppendUnique({QFile::encodeName(path(u"src/"_s + name))});
        }
        control<QTabWidget>(Control::PageControl1)->setCurrentIndex(KeywordPage);
        control<QLineEdit>(Control::EdtKeys)->setText(u"a"_s);
        control<QLineEdit>(Control::EdtOutDir)->setText(path(u"out"_s));
        control<QRadioButton>(Control::RbAsk)->click();
        QTest::mouseClick(control(Control::BtnCopy), Qt::LeftButton);
    }
    // Answers every further question No, counting them, and closes the completion box.
    void answerTheRest(int* questions) {
        onNextModal([this, questions](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box->icon() == QMessageBox::Question) {
                ++*questions;
                answerTheRest(questions);
                box->button(QMessageBox::No)->click();
            } else {
                box->button(QMessageBox::Ok)->click();
            }
        });
    }

private slots:
    void theEvidence_data() {
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QByteArray>("incoming");
        QTest::addColumn<qint64>("size");      // both files made this large, holding nothing, when not -1
        QTest::addColumn<QString>("evidence"); // %1: where the new file comes from
        const QString same = u"已存在的文件：3 字节\n　　修改于 2024/2/10 09:30:00\n"
                             u"新的文件：3 字节\n　　修改于 2024/2/10 09:30:00\n　　来自 %1\n"_s;
        QTest::newRow("byte for byte the same")
            << QByteArray("abc") << QByteArray("abc") << qint64(-1) << same + u"两个文件内容相同"_s;
        QTest::newRow("same size, other bytes")
            << QByteArray("abc") << QByteArray("abd") << qint64(-1) << same + u"两个文件内容不同"_s;
        QTest::newRow("other sizes: nothing to compare") << QByteArray("abc") << QByteArray("abcd") << qint64(-1)
                                                         << u"已存在的文件：3 字节\n　　修改于 2024/2/10 09:30:00\n"
                                                            u"新的文件：4 字节\n　　修改于 2024/2/10 09:30:00\n"
                                                            u"　　来自 %1"_s;
        QTest::newRow("over 256 MB: not compared")
            << QByteArray() << QByteArray() << (qint64(256) << 20) + 1
            << u"已存在的文件：256.0 MB (268,435,457 字节)\n　　修改于 2024/2/10 09:30:00\n"
               u"新的文件：256.0 MB (268,435,457 字节)\n　　修改于 2024/2/10 09:30:00\n　　来自 %1\n"
               u"两个文件大小相同，内容未比较（文件大于 256 MB）"_s;
    }
    void theEvidence() {
        QFETCH(QByteArray, existing);
        QFETCH(QByteArray, incoming);
        QFETCH(qint64, size);
        QFETCH(QString, evidence);
        writeFile(path(u"out/a/"_s + kMarkupName), existing, size);
        writeFile(path(u"src/"_s + kMarkupName), incoming, size);
        ShownBoxTexts shown;
        QString yes;
        bool enterKeeps = false;
        ShownMessage done;
        onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            shown = ShownTexts(*box);
            yes = box->button(QMessageBox::Yes)->text();
            enterKeeps = box->defaultButton() == box->button(QMessageBox::No);
            answerNextMessage(&done);
            box->button(QMessageBox::No)->click();
        });
        startRun({kMarkupName});
        // The name shows as it is, not as the markup it looks like.
        QCOMPARE(shown.text, u"文件"_s + path(u"out/a/"_s + kMarkupName) + u"已存在，是否覆盖？"_s);
        QCOMPARE(shown.informative, evidence.arg(path(u"src/"_s + kMarkupName)));
        QVERIFY(enterKeeps);
        // Qt's own buttons speak the program's language.
        QVERIFY2(!yes.contains(u"Yes"_s) && yes.contains(u"是"_s), qPrintable(yes));
    }

    void answersToAll_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("outcome");
        QTest::newRow("全部是 replaces them all")
            << Control::BtnYesToAll << QStringList{u"a1.txt new:10"_s, u"a2.txt new:10"_s, u"a3.txt new:10"_s};
        QTest::newRow("全部否 keeps them all")
            << Control::BtnNoToAll << QStringList{u"a1.txt old:10"_s, u"a2.txt old:10"_s, u"a3.txt old:10"_s};
    }
    void answersToAll() {
        QFETCH(QString, button);
        QFETCH(QStringList, outcome);
        const QStringList names = {u"a1.txt"_s, u"a2.txt"_s, u"a3.txt"_s};
        for (const QString& name : names) {
            WriteTestFile(path(u"src/"_s + name), LabelledContent("new", 10));
            WriteTestFile(path(u"out/a/"_s + name), LabelledContent("old", 10));
        }
        QString caption;
        int furtherQuestions = 0;
        onNextModal([&](QWidget* modal) {
            auto* answer = modal->findChild<QPushButton*>(button);
            caption = answer->text();
            answerTheRest(&furtherQuestions);
            answer->click();
        });
        startRun(names);
        QCOMPARE(caption, button == Control::BtnYesToAll ? u"全部是"_s : u"全部否"_s);
        QCOMPARE(furtherQuestions, 0);
        QCOMPARE(TreeWithContents(path(u"out/a"_s)), outcome);
    }
};

QTEST_MAIN(TestSameNameQuestion)
#include "test_same_name_question.moc"

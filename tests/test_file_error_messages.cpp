#include "ui/FileErrorMessages.h"

#include <QTest>

#include <cstring>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FileTask)

// The words the window finds for a file that failed: which file, doing what, and the system's reason.
class TestFileErrorMessages : public QObject {
    Q_OBJECT
private slots:
    void messages_data() {
        QTest::addColumn<FileTask>("task");
        QTest::addColumn<QString>("withoutReason");
        // A "%1" in a file name stays as it is.
        QTest::newRow("export") << FileTask::ExportList << u"无法写入列表文件“/用户/%1.lst”："_s;
        QTest::newRow("import") << FileTask::ImportList << u"无法读取列表文件“/用户/%1.lst”："_s;
        QTest::newRow("settings") << FileTask::SaveSettings << u"无法保存设置文件“/用户/%1.lst”："_s;
    }
    void messages() {
        QFETCH(FileTask, task);
        QFETCH(QString, withoutReason);
        for (const int code : {EACCES, ENOSPC}) {
            const QString reason = QString::fromLocal8Bit(std::strerror(code));
            QCOMPARE(FileErrorMessage(task, u"/用户/%1.lst"_s, {Fs::Operation::WriteTemporary, code}),
                     withoutReason + reason);
        }
    }
};

QTEST_GUILESS_MAIN(TestFileErrorMessages)
#include "test_file_error_messages.moc"

#include "ui/FileErrorMessages.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FileTask)

// The words the window finds for a file that failed: which file, doing what, and the system's reason, as the tests'
// C locale words it.
class TestFileErrorMessages : public QObject {
    Q_OBJECT
private slots:
    void messages_data() {
        QTest::addColumn<FileTask>("task");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        // A "%1" in a file name stays as it is.
        QTest::newRow("export, write-protected")
            << FileTask::ExportList << EACCES << u"无法写入列表文件“/用户/%1.lst”：Permission denied"_s;
        QTest::newRow("export, read-only file system")
            << FileTask::ExportList << EROFS << u"无法写入列表文件“/用户/%1.lst”：Read-only file system"_s;
        QTest::newRow("import, gone") << FileTask::ImportList << ENOENT
                                      << u"无法读取列表文件“/用户/%1.lst”：No such file or directory"_s;
        QTest::newRow("settings, disk full")
            << FileTask::SaveSettings << ENOSPC << u"无法保存设置文件“/用户/%1.lst”：No space left on device"_s;
        QTest::newRow("settings, quota") << FileTask::SaveSettings << EDQUOT
                                         << u"无法保存设置文件“/用户/%1.lst”：Disk quota exceeded"_s;
    }
    void messages() {
        QFETCH(FileTask, task);
        QFETCH(int, code);
        QFETCH(QString, message);
        QCOMPARE(FileErrorMessage(task, u"/用户/%1.lst"_s, {Fs::Operation::WriteTemporary, code}), message);
    }
};

QTEST_GUILESS_MAIN(TestFileErrorMessages)
#include "test_file_error_messages.moc"

#include "testsupport/WindowTest.h"

#include "testsupport/FileSystemFixtures.h"

#include <QApplication>
#include <QTest>

QString WindowTest::configFolder() {
    // In the build tree, not in a temporary folder: Qt's file dialogs write their own settings there, some of it only
    // when the program ends.
    return QCoreApplication::applicationDirPath() + u'/' + QCoreApplication::applicationName() +
           QStringLiteral("-config");
}

void WindowTest::init() {
    QDir config(configFolder());
    QVERIFY(config.removeRecursively() && config.mkpath(QStringLiteral(".")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Not made: the default output folder lies in it, and a run makes it.
    qputenv("HOME", QFile::encodeName(homeFolder()));
    if (m_start == Start::EveryTest) {
        startWindows();
    }
}

void WindowTest::startWindows() {
    m_windows = std::make_unique<MainWindows>();
    mainWindow().show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow()));
}

void WindowTest::cleanup() {
    // A failed check returns from here, so everything is taken down before the checks.
    const QWidget* leftOpen = QApplication::activeModalWidget();
    const QByteArray leftOpenName = leftOpen ? QByteArray(leftOpen->metaObject()->className()) : QByteArray();
    const int neverCame = m_answers.finish();
    m_windows.reset();
    if (QWidget* stillOpen = QApplication::activeModalWidget()) {
        stillOpen->close();
    }
    if (m_dir) {
        RemoveTree(QFile::encodeName(m_dir->path())); // also names that are not UTF-8
        m_dir.reset();
    }
    QVERIFY2(leftOpenName.isEmpty(), ("a dialog was left open: " + leftOpenName).constData());
    QVERIFY2(neverCame == 0, qPrintable(QStringLiteral("%1 dialog(s) the test answers never came").arg(neverCame)));
}

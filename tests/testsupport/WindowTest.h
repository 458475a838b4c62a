#pragma once

#include "testsupport/Controls.h"
#include "testsupport/ModalAnswers.h"
#include "ui/MainWindows.h"

#include <QObject>
#include <QTemporaryDir>

#include <memory>

// The base of a test class that drives the program's windows, offscreen. Before every test: a configuration folder
// of the test program's own, emptied (so no user settings are read and none written anywhere else), a temporary
// folder for the test's files with the user's home in it, and, unless the test starts them itself, the windows with
// the main window shown.
// After every test: the answers to modal dialogs end, the windows go, and the test fails when a dialog was left
// open or a dialog it answers never came.
class WindowTest : public QObject {
    Q_OBJECT
public:
    enum class Start { EveryTest, ByTheTest };
    explicit WindowTest(Start start = Start::EveryTest) : m_start(start) {}

protected slots:
    void init();
    void cleanup();

protected:
    // Makes the windows, which read the settings file as the program does at start, and shows the main window.
    void startWindows();
    MainWindows& windows() { return *m_windows; }
    MainWindow& mainWindow() { return m_windows->mainWindow; }
    template <typename T = QWidget> T* control(const QString& name) { return FindControl<T>(mainWindow(), name); }

    // The test's temporary folder, and name inside it.
    QString testFolder() const { return m_dir->path(); }
    QString path(const QString& name) const { return m_dir->filePath(name); }
    // The user's home ($HOME) during the test: "home" in the test's folder, not made before the test makes it.
    QString homeFolder() const { return path(QStringLiteral("home")); }
    // The folder the windows take as the user's configuration folder; the settings file is Varnoth.ini in it.
    static QString configFolder();

    void onNextModal(std::function<void(QWidget*)> act) { m_answers.onNextModal(std::move(act)); }
    void answerNextMessage(ShownMessage* shown, QMessageBox::StandardButton button = QMessageBox::Ok,
                           std::function<void()> beforeAnswer = {}) {
        m_answers.answerNextMessage(shown, button, std::move(beforeAnswer));
    }

private:
    Start m_start;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindows> m_windows;
    ModalAnswers m_answers;
};

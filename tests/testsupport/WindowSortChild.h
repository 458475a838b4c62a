#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <sys/types.h>

class QProcess;

// A user without privileges that a child process can be switched to with setpriv, so that permission bits stop it
// even when the tests run as root.
struct UnprivilegedUser {
    QString setpriv;
    uid_t uid = 0;
    gid_t gid = 0;
};

// The user "nobody" and the setpriv program, when both exist.
std::optional<UnprivilegedUser> FindUnprivilegedUser();

// Runs a sort through the real main window in the helper program window_sort_helper and records the message boxes it
// showed. The test gets control when the list is filled and at every overwrite question, while the child waits for
// its answer.
class WindowSortChild {
public:
    // helper is the path of window_sort_helper. The child's home, configuration, cache and runtime folders are made
    // under privateFolder, so it never touches the user's own.
    WindowSortChild(const QString& helper, const QString& privateFolder);

    void runAs(const UnprivilegedUser& user) { m_user = user; }

    // Called when the list is filled, before the click on the start button; setting it makes the child wait there.
    std::function<void()> onListed;
    // Called while an overwrite question is open; the question is then answered as answerYes says.
    std::function<void()> onQuestion;
    bool answerYes = true;
    // Called once a child started with --idle runs its event loop.
    std::function<void()> onIdle;
    qint64 processId = 0; // the child's, once it has started

    QStringList questions;
    QStringList messages;
    QString error; // why the child did not run to its end

    // Starts the helper with options and the files for the list, and serves it until it ends. False, with error set,
    // when it could not start, crashed, failed or stopped answering.
    bool run(QStringList options, const QStringList& files);

private:
    void serve(QProcess& child, const QByteArray& line);

    QString m_helper;
    QProcessEnvironment m_environment;
    std::optional<UnprivilegedUser> m_user;
};

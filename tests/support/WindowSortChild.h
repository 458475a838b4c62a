#pragma once

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <functional>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

// A user without privileges that a child process can be switched to with setpriv, so that permission bits stop it
// even when the tests run as root.
struct UnprivilegedUser {
    QString setpriv;
    uid_t uid = 0;
    gid_t gid = 0;
};

// The user "nobody" and the setpriv program, when both exist.
inline std::optional<UnprivilegedUser> FindUnprivilegedUser() {
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    const passwd* nobody = ::getpwnam("nobody");
    if (setpriv.isEmpty() || !nobody || nobody->pw_uid == 0) {
        return std::nullopt;
    }
    return UnprivilegedUser{setpriv, nobody->pw_uid, nobody->pw_gid};
}

// Runs a sort through the real main window in the helper program window_sort_helper (whose path the build gives as
// WINDOW_SORT_HELPER) and records the message boxes it showed. The test gets control when the list is filled and at
// every overwrite question, while the child waits for its answer.
class WindowSortChild {
public:
    // The child's home, configuration, cache and runtime folders are made under privateFolder, so it never touches
    // the user's own.
    explicit WindowSortChild(const QString& privateFolder) {
        for (const char* name : {"home", "config", "cache", "runtime"}) {
            const QString folder = privateFolder + u'/' + QLatin1StringView(name);
            QDir().mkpath(folder);
            ::chmod(QFile::encodeName(folder).constData(), 0700);
        }
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_environment.insert(QStringLiteral("HOME"), privateFolder + QStringLiteral("/home"));
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), privateFolder + QStringLiteral("/config"));
        m_environment.insert(QStringLiteral("XDG_CACHE_HOME"), privateFolder + QStringLiteral("/cache"));
        m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), privateFolder + QStringLiteral("/runtime"));
    }

    void runAs(const UnprivilegedUser& user) { m_user = user; }

    // Called when the list is filled, before the click on the start button; setting it makes the child wait there.
    std::function<void()> onListed;
    // Called while an overwrite question is open; the question is then answered Yes.
    std::function<void()> onQuestion;

    QStringList questions;
    QStringList messages;
    QString error; // why the child did not run to its end

    // Starts the helper with options and the files for the list, and serves it until it ends. False, with error set,
    // when it could not start, crashed, failed or stopped answering.
    bool run(QStringList options, const QStringList& files) {
        if (onListed) {
            options.append(QStringLiteral("--pause-after-listing"));
        }
        QStringList arguments = options + QStringList{QStringLiteral("--")} + files;
        QString program = QStringLiteral(WINDOW_SORT_HELPER);
        if (m_user) {
            arguments.prepend(program);
            arguments.prepend(QStringLiteral("--clear-groups"));
            arguments.prepend(QStringLiteral("--regid=%1").arg(m_user->gid));
            arguments.prepend(QStringLiteral("--reuid=%1").arg(m_user->uid));
            program = m_user->setpriv;
        }
        QProcess child;
        child.setProcessEnvironment(m_environment);
        child.start(program, arguments);
        if (!child.waitForStarted()) {
            error = child.errorString();
            return false;
        }
        for (;;) {
            while (child.canReadLine()) {
                serve(child, child.readLine());
            }
            if (child.state() == QProcess::NotRunning) {
                break;
            }
            if (!child.waitForReadyRead(kPatienceMs) && child.state() != QProcess::NotRunning) {
                child.kill();
                child.waitForFinished();
                error = QStringLiteral("the child stopped answering");
                return false;
            }
        }
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            error = QStringLiteral("the child failed: ") + QString::fromLocal8Bit(child.readAllStandardError());
            return false;
        }
        return true;
    }

private:
    static constexpr int kPatienceMs = 60000;

    void serve(QProcess& child, const QByteArray& line) {
        const QJsonObject report = QJsonDocument::fromJson(line).object();
        const QString event = report.value(QStringLiteral("event")).toString();
        const QString text = report.value(QStringLiteral("text")).toString();
        if (event == QStringLiteral("listed")) {
            onListed();
            reply(child, "go\n");
        } else if (event == QStringLiteral("question")) {
            questions.append(text);
            if (onQuestion) {
                onQuestion();
            }
            reply(child, "yes\n");
        } else if (event == QStringLiteral("message")) {
            messages.append(text);
        }
    }

    static void reply(QProcess& child, const char* answer) {
        child.write(answer);
        child.waitForBytesWritten();
    }

    QProcessEnvironment m_environment;
    std::optional<UnprivilegedUser> m_user;
};

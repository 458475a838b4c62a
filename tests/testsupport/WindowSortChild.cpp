#include "testsupport/WindowSortChild.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <pwd.h>
#include <sys/stat.h>

namespace {
// How long the child may stay silent while it is not waiting for the test.
constexpr int kPatienceMs = 60000;

void reply(QProcess& child, const char* answer) {
    child.write(answer);
    child.waitForBytesWritten();
}
} // namespace

std::optional<UnprivilegedUser> FindUnprivilegedUser() {
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    const passwd* nobody = ::getpwnam("nobody");
    if (setpriv.isEmpty() || !nobody || nobody->pw_uid == 0) {
        return std::nullopt;
    }
    return UnprivilegedUser{setpriv, nobody->pw_uid, nobody->pw_gid};
}

WindowSortChild::WindowSortChild(const QString& helper, const QString& privateFolder) : m_helper(helper) {
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

bool WindowSortChild::run(QStringList options, const QStringList& files) {
    if (onListed) {
        options.append(QStringLiteral("--pause-after-listing"));
    }
    QStringList arguments = options + QStringList{QStringLiteral("--")} + files;
    QString program = m_helper;
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
    processId = child.processId();
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

void WindowSortChild::serve(QProcess& child, const QByteArray& line) {
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
        reply(child, answerYes ? "yes\n" : "no\n");
    } else if (event == QStringLiteral("message")) {
        messages.append(text);
    } else if (event == QStringLiteral("idle") && onIdle) {
        onIdle();
    }
}

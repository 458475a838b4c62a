#include "testsupport/CliProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <algorithm>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace {
constexpr int kTimeoutMs = 10000;

// Owns the bytes that an exec call points at, made before the fork.
struct ExecArguments {
    QByteArrayList storage;
    std::vector<char*> pointers;
    explicit ExecArguments(QByteArrayList strings) : storage(std::move(strings)) {
        for (QByteArray& string : storage) {
            pointers.push_back(string.data());
        }
        pointers.push_back(nullptr);
    }
};

QByteArrayList environmentFor(const QString& home, const QByteArrayList& changes = {}) {
    QByteArrayList environment;
    const QByteArrayList dropped{
        "DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "LANGUAGE=", "LC_", "LANG=", "HOME=", "XDG_"};
    for (char** entry = environ; *entry; ++entry) {
        const QByteArray variable(*entry);
        if (std::none_of(dropped.begin(), dropped.end(), [&](const QByteArray& p) { return variable.startsWith(p); })) {
            environment.append(variable);
        }
    }
    const QByteArray homeBytes = QFile::encodeName(home);
    environment << "LANGUAGE=en"
                << "LC_ALL=C"
                << "HOME=" + homeBytes << "XDG_CONFIG_HOME=" + homeBytes + "/.config"
                << "XDG_STATE_HOME=" + homeBytes + "/.local/state"
                << "XDG_DATA_HOME=" + homeBytes + "/.local/share";
    // A change replaces the variable of its name: the first of two would be the one the program reads.
    for (const QByteArray& change : changes) {
        const QByteArray name = change.left(change.indexOf('=') + 1);
        environment.removeIf([&](const QByteArray& variable) { return variable.startsWith(name); });
        environment.append(change);
    }
    return environment;
}

QByteArrayList commandLine(const QString& program, const QByteArrayList& arguments) {
    return QByteArrayList{QFile::encodeName(program)} + arguments;
}
} // namespace

CliResult RunCli(const QString& program, const QByteArrayList& arguments, const QString& workingFolder,
                 const QString& home, const QByteArray& input, const QByteArrayList& environment) {
    // QProcess passes its arguments as text, which would change bytes that are not valid UTF-8; the child replaces
    // itself with the program and the exact bytes once QProcess has set up its pipes.
    const ExecArguments argv(commandLine(program, arguments));
    const ExecArguments envp(environmentFor(home, environment));
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(workingFolder);
    process.setChildProcessModifier([&] { ::execve(argv.pointers[0], argv.pointers.data(), envp.pointers.data()); });
    process.start();
    process.write(input);
    process.closeWriteChannel();
    CliResult result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

BackgroundCli::BackgroundCli(const QString& program, const QByteArrayList& arguments, const QString& workingFolder,
                             const QString& home, const QString& outputPrefix)
    : m_outputPrefix(outputPrefix) {
    const ExecArguments argv(commandLine(program, arguments));
    const ExecArguments envp(environmentFor(home));
    const QByteArray folder = QFile::encodeName(workingFolder);
    const QByteArray out = QFile::encodeName(outputPrefix + QStringLiteral(".out"));
    const QByteArray err = QFile::encodeName(outputPrefix + QStringLiteral(".err"));
    m_pid = ::fork();
    if (m_pid == 0) {
        const int outFile = ::open(out.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int errFile = ::open(err.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (outFile >= 0 && errFile >= 0 && ::dup2(outFile, 1) >= 0 && ::dup2(errFile, 2) >= 0 &&
            ::chdir(folder.constData()) == 0) {
            ::execve(argv.pointers[0], argv.pointers.data(), envp.pointers.data());
        }
        ::_exit(127);
    }
}

BackgroundCli::~BackgroundCli() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

void BackgroundCli::sendSignal(int signal) {
    if (m_pid > 0) {
        ::kill(m_pid, signal);
    }
}

QByteArray BackgroundCli::errorOutput() const {
    QFile file(m_outputPrefix + QStringLiteral(".err"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CliResult BackgroundCli::waitForExit(int timeoutMs) {
    CliResult result;
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    while (m_pid > 0 && ::waitpid(m_pid, &status, WNOHANG) == 0) {
        if (clock.elapsed() > timeoutMs) {
            return result;
        }
        QTest::qWait(20);
    }
    m_pid = -1;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    QFile out(m_outputPrefix + QStringLiteral(".out"));
    result.out = out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
    result.err = errorOutput();
    return result;
}

TerminalProcess::TerminalProcess(const QString& program, const QByteArrayList& arguments, const QString& workingFolder,
                                 const QString& home) {
    const ExecArguments argv(commandLine(program, arguments));
    const ExecArguments envp(environmentFor(home));
    const QByteArray folder = QFile::encodeName(workingFolder);
    m_pid = ::forkpty(&m_master, nullptr, nullptr, nullptr);
    if (m_pid < 0) {
        m_noTerminalReason =
            QStringLiteral("no pseudo-terminal can be made: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (m_pid == 0) {
        if (::chdir(folder.constData()) == 0) {
            ::execve(argv.pointers[0], argv.pointers.data(), envp.pointers.data());
        }
        ::_exit(127);
    }
}

TerminalProcess::~TerminalProcess() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    if (m_master >= 0) {
        ::close(m_master);
    }
}

void TerminalProcess::readAvailable(int timeoutMs) {
    pollfd terminal{m_master, POLLIN, 0};
    if (::poll(&terminal, 1, timeoutMs) > 0) {
        char buffer[4096];
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count > 0) {
            m_output.append(buffer, count);
        }
    }
}

bool TerminalProcess::waitForOutput(const QByteArray& text) {
    QElapsedTimer timer;
    timer.start();
    while (!m_output.contains(text) && timer.elapsed() < kTimeoutMs) {
        readAvailable(50);
    }
    return m_output.contains(text);
}

void TerminalProcess::type(const QByteArray& keys) {
    QVERIFY2(::write(m_master, keys.constData(), size_t(keys.size())) == keys.size(), "typing on the terminal");
}

void TerminalProcess::sendSignal(int signal) {
    ::kill(m_pid, signal);
}

int TerminalProcess::waitForExit() {
    QElapsedTimer timer;
    timer.start();
    int status = 0;
    while (timer.elapsed() < kTimeoutMs) {
        readAvailable(20);
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
    return -1;
}

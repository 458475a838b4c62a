#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <sys/types.h>

// The program run as a separate process, as scripts and terminals run it: with exact argument bytes (names that
// are not valid UTF-8 included), with no display at all (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM unset), in
// English (LANGUAGE=en) and the C locale, and with HOME and the XDG folders in home, never the user's own.

struct CliResult {
    int exitCode = -1; // -1 when the program did not exit normally
    QByteArray out;
    QByteArray err;
};

// Runs program with arguments in workingFolder, input on its standard input, until it ends. Each NAME=VALUE of
// environment replaces that variable (LANGUAGE=zh_CN, QT_QPA_PLATFORM=offscreen for a display).
CliResult RunCli(const QString& program, const QByteArrayList& arguments, const QString& workingFolder,
                 const QString& home, const QByteArray& input = {}, const QByteArrayList& environment = {});

// The program running on while the test acts, as RunCli would run it; its standard output and error go to files
// (outputPrefix + ".out" and ".err"), so that a long run never blocks on a full pipe. Killed when destroyed.
class BackgroundCli {
public:
    BackgroundCli(const QString& program, const QByteArrayList& arguments, const QString& workingFolder,
                  const QString& home, const QString& outputPrefix);
    ~BackgroundCli();
    BackgroundCli(const BackgroundCli&) = delete;
    BackgroundCli& operator=(const BackgroundCli&) = delete;

    pid_t pid() const { return m_pid; }
    void sendSignal(int signal);
    // What the program wrote to standard error so far.
    QByteArray errorOutput() const;
    // The exit status and output once the program ended; exitCode -1 when it did not end normally within timeoutMs.
    CliResult waitForExit(int timeoutMs = 10000);

private:
    pid_t m_pid = -1;
    QString m_outputPrefix;
};

// The program on a pseudo-terminal: standard input, output and error are the terminal, as for a user typing.
class TerminalProcess {
public:
    TerminalProcess(const QString& program, const QByteArrayList& arguments, const QString& workingFolder,
                    const QString& home);
    // Empty when the program runs on its terminal; otherwise why no terminal could be made (a chroot without
    // /dev/pts has none), for QSKIP.
    const QString& noTerminalReason() const { return m_noTerminalReason; }
    ~TerminalProcess();
    TerminalProcess(const TerminalProcess&) = delete;
    TerminalProcess& operator=(const TerminalProcess&) = delete;

    // Reads the terminal until what it showed holds text; false after ten seconds without it.
    bool waitForOutput(const QByteArray& text);
    void type(const QByteArray& keys);
    void sendSignal(int signal);
    // The exit status once the program ended, -1 when it did not exit normally within ten seconds.
    int waitForExit();
    QByteArray output() const { return m_output; }

private:
    void readAvailable(int timeoutMs);
    pid_t m_pid = -1;
    int m_master = -1;
    QByteArray m_output;
    QString m_noTerminalReason;
};

#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>

// Shared by the benchmarks: timing, baselines run as outside commands, and the one output line format.

// Writes every dirty page to the disk, so that a timed section does not pay for the writes of the one before.
inline void SettleDisk() {
    ::sync();
}

// Seconds that work takes, on the monotonic clock.
inline double SecondsFor(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

// The shortest of runs timings of timedRun(run), each made after the disk has settled. File-system work on a shared
// machine is noisy; the best of a few runs is the figure least disturbed by others.
inline double BestSeconds(int runs, const std::function<double(int run)>& timedRun) {
    double best = 0;
    for (int run = 0; run < runs; ++run) {
        SettleDisk();
        const double seconds = timedRun(run);
        best = run == 0 ? seconds : std::min(best, seconds);
    }
    return best;
}

// Seconds that a shell command takes; exits the benchmark when the command fails.
inline double SecondsForCommand(const QString& command) {
    int exitCode = 0;
    const double seconds = SecondsFor([&] {
        exitCode = QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    });
    if (exitCode != 0) {
        std::fprintf(stderr, "baseline command failed: %s\n", qPrintable(command));
        std::exit(1);
    }
    return seconds;
}

// The peak resident memory of this process so far (VmHWM), in MB; exits the benchmark when the kernel tells none.
inline double PeakMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:")) {
                return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
            }
        }
    }
    std::fprintf(stderr, "no VmHWM in /proc/self/status\n");
    std::exit(1);
}

// The best of runs copies of the tree at source by cp -p -r, each into a new folder outRoot/<name>-<run>: the
// baseline of the sorting benchmarks.
inline double CpTreeSeconds(int runs, const QString& source, const QString& outRoot, const QString& name) {
    return BestSeconds(runs, [&](int run) {
        return SecondsForCommand(QStringLiteral("cp -p -r '%1' '%2/%3-%4'").arg(source, outRoot, name).arg(run));
    });
}

// bench: <case> varnoth=<seconds>s <baseline>=<seconds>s speed=<baseline seconds / varnoth seconds>
inline void PrintBenchLine(const char* caseName, double varnothSeconds, const char* baselineName,
                           double baselineSeconds) {
    std::printf("bench: %s varnoth=%.3fs %s=%.3fs speed=%.2f\n", caseName, varnothSeconds, baselineName,
                baselineSeconds, baselineSeconds / varnothSeconds);
    std::fflush(stdout);
}

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

// How many pairs of timings a benchmark with a baseline makes.
constexpr int kBenchPairs = 5;

// The best seconds of each side of a benchmark.
struct BestPair {
    double baseline = 0;
    double measured = 0;
};

// Times runs pairs, the baseline's run just before the measured run each time (baseline(0), measured(0),
// baseline(1), measured(1), ...), each after the disk has settled, and keeps the shortest time of each side. Taking
// turns makes both sides meet the same load whatever the machine does meanwhile, and the shortest time of each side
// is the one least disturbed by it. The ratio of the two bests is what a benchmark reports: the best of the per-pair
// ratios would report whichever pair's noise happened to favour Varnoth most.
inline BestPair BestOfPairs(int runs, const std::function<double(int run)>& baseline,
                            const std::function<double(int run)>& measured) {
    BestPair best;
    for (int run = 0; run < runs; ++run) {
        SettleDisk();
        const double baselineSeconds = baseline(run);
        SettleDisk();
        const double measuredSeconds = measured(run);
        best.baseline = run == 0 ? baselineSeconds : std::min(best.baseline, baselineSeconds);
        best.measured = run == 0 ? measuredSeconds : std::min(best.measured, measuredSeconds);
    }
    return best;
}

// One copy of the tree at source by cp -p -r into the new folder target: the baseline of the sorting benchmarks.
inline double CpTreeSeconds(const QString& source, const QString& target) {
    return SecondsForCommand(QStringLiteral("cp -p -r '%1' '%2'").arg(source, target));
}

// bench: <case> varnoth=<seconds>s <baseline>=<seconds>s speed=<baseline seconds / varnoth seconds>
inline void PrintBenchLine(const char* caseName, double varnothSeconds, const char* baselineName,
                           double baselineSeconds) {
    std::printf("bench: %s varnoth=%.3fs %s=%.3fs speed=%.2f\n", caseName, varnothSeconds, baselineName,
                baselineSeconds, baselineSeconds / varnothSeconds);
    std::fflush(stdout);
}

// The bench line of the best pair of a benchmark.
inline void PrintBenchLine(const char* caseName, const BestPair& best, const char* baselineName) {
    PrintBenchLine(caseName, best.measured, baselineName, best.baseline);
}

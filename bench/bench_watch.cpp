// The watch of a folder: how soon a file closed in it is placed (settle 0, 1,000 files arriving one at a time), and
// bursts of 10,000 files moved into it at once, each against `varnoth sort` of as many files just before it.

#include "BenchCommon.h"
#include "testsupport/CliProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kLatencyFiles = 1000;
constexpr int kBurstFiles = 10000;
constexpr qint64 kGiveUpNs = qint64(120) * 1000000000;

bool exists(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0;
}

void writeFile(const QByteArray& path) {
    const int file = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0 || ::write(file, "data", 4) != 4 || ::close(file) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.constData());
        std::exit(1);
    }
}

// Waits until path exists; exits the benchmark when it never does.
void waitFor(const QByteArray& path) {
    QElapsedTimer clock;
    clock.start();
    while (!exists(path)) {
        if (clock.nsecsElapsed() > kGiveUpNs) {
            std::fprintf(stderr, "never placed: %s\n", path.constData());
            std::exit(1);
        }
        ::usleep(200);
    }
}

// The files placed by the batches whose summaries the watcher wrote to its standard output (output).
int placedCount(const QString& output) {
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    static const QRegularExpression placed(QStringLiteral("(\\d+) placed"));
    int count = 0;
    for (auto match = placed.globalMatch(QString::fromUtf8(file.readAll())); match.hasNext();) {
        count += match.next().captured(1).toInt();
    }
    return count;
}

std::unique_ptr<BackgroundCli> startWatch(const QTemporaryDir& dir, const char* in, const char* out) {
    auto watcher = std::make_unique<BackgroundCli>(
        QStringLiteral(VARNOTH_PROGRAM),
        QByteArrayList{"watch", "--by-type", "--move", "--settle", "0", "--new-only", "-o", out, in}, dir.path(),
        dir.filePath(QStringLiteral("home")), dir.filePath(QStringLiteral("watch")));
    // The watch is up once a probe file is placed.
    const QByteArray probe = QFile::encodeName(dir.filePath(QString::fromLatin1(in) + QStringLiteral("/probe.p")));
    const QByteArray placed = QFile::encodeName(dir.filePath(QString::fromLatin1(out) + QStringLiteral("/.p/probe.p")));
    for (int attempt = 0; attempt < 100 && !exists(placed); ++attempt) {
        writeFile(probe);
        ::usleep(100000);
    }
    waitFor(placed);
    return watcher;
}

void measureLatency(const QTemporaryDir& dir) {
    QDir(dir.path()).mkpath(QStringLiteral("lat-in"));
    const auto watcher = startWatch(dir, "lat-in", "lat-out");
    const QByteArray in = QFile::encodeName(dir.filePath(QStringLiteral("lat-in")));
    const QByteArray out = QFile::encodeName(dir.filePath(QStringLiteral("lat-out/.dat")));
    std::vector<double> latencies;
    for (int i = 0; i < kLatencyFiles; ++i) {
        const QByteArray name = "l" + QByteArray::number(i) + ".dat";
        QElapsedTimer clock;
        writeFile(in + '/' + name);
        clock.start(); // from the file's close
        waitFor(out + '/' + name);
        latencies.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    watcher->sendSignal(SIGTERM);
    watcher->waitForExit();
    std::sort(latencies.begin(), latencies.end());
    const auto percentile = [&](double p) { return latencies[size_t(p * double(latencies.size() - 1))]; };
    std::printf("bench: watch-latency p50=%.1fms p99=%.1fms\n", percentile(0.50), percentile(0.99));
}

// The burst's file names of one run: b<run>_<i>.dat, distinct from every other run's.
QByteArray burstName(int run, int i) {
    return "/b" + QByteArray::number(run) + '_' + QByteArray::number(i) + ".dat";
}

void makeFiles(const QByteArray& folder, int run) {
    ::mkdir(folder.constData(), 0755);
    for (int i = 0; i < kBurstFiles; ++i) {
        writeFile(folder + burstName(run, i));
    }
}

// The sort of a fresh folder of the burst's files, by the command line; making the files is not timed.
double sortSeconds(const QTemporaryDir& dir, int run) {
    const QByteArray in = QFile::encodeName(dir.filePath(QStringLiteral("sort-in-%1").arg(run)));
    makeFiles(in, run);
    SettleDisk();
    return SecondsForCommand(
        QStringLiteral(
            "XDG_STATE_HOME='%1/state' '%2' sort --quiet --by-type --move --scan '%3' --out '%1/sort-out-%4'")
            .arg(dir.path(), QStringLiteral(VARNOTH_PROGRAM), QFile::decodeName(in))
            .arg(run));
}

// One burst of files renamed into the watched folder, timed until the watcher counts them all placed; making the
// files is not timed. The watcher has placed run bursts and the probe before.
double burstSeconds(const QTemporaryDir& dir, int run) {
    const QByteArray root = QFile::encodeName(dir.path());
    const QByteArray staged = root + "/staged-" + QByteArray::number(run);
    makeFiles(staged, run);
    SettleDisk();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kBurstFiles; ++i) {
        const QByteArray name = burstName(run, i);
        if (::rename((staged + name).constData(), (root + "/burst-in" + name).constData()) != 0) {
            std::fprintf(stderr, "cannot move %s into the watched folder\n", name.constData());
            std::exit(1);
        }
    }
    // The batches' summary lines count what was placed; reading them costs the watcher far less than listing a
    // folder of 10,000 files would.
    while (placedCount(dir.filePath(QStringLiteral("watch.out"))) < (run + 1) * kBurstFiles + 1) { // and the probe
        if (clock.nsecsElapsed() > kGiveUpNs) {
            std::fprintf(stderr, "the burst was not placed\n");
            std::exit(1);
        }
        ::usleep(2000);
    }
    return double(clock.nsecsElapsed()) / 1e9;
}

void measureBurst(const QTemporaryDir& dir) {
    QDir(dir.path()).mkpath(QStringLiteral("burst-in"));
    const auto watcher = startWatch(dir, "burst-in", "burst-out");
    const BestPair best = BestOfPairs(
        kBenchPairs, [&](int run) { return sortSeconds(dir, run); }, [&](int run) { return burstSeconds(dir, run); });
    watcher->sendSignal(SIGTERM);
    watcher->waitForExit();
    PrintBenchLine("watch-burst-10k", best, "sort");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("home"));
    measureLatency(dir);
    measureBurst(dir);
    return 0;
}

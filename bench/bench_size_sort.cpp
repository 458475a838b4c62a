#include "core/CriterionPage.h"
// A size-criterion sort of 10,000 files through the engine, against stat of the same files. No file is larger
// than the threshold, so the run measures every file and copies none: the figure is the cost of measuring.

#include "BenchCommon.h"
#include "engine/SortRun.h"
#include "testsupport/FakeRunHost.h"
#include "testsupport/TestFiles.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {
constexpr int fileCount = 10000;
} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("src"));

    QByteArrayList files;
    for (int i = 0; i < fileCount; ++i) {
        // Assorted sizes from 0 to 8 KiB.
        files.append(
            WriteTestFile(QStringLiteral("%1/file_%2.dat").arg(source).arg(i), QByteArray((i * 97) % 8192, 'x')));
    }

    const auto engineRun = [&](int) {
        FakeRunHost host;
        host.inputs.page = SizePage;
        host.inputs.size = {SizeCondition::Larger, QStringLiteral("1"), SizeUnit::MB};
        host.inputs.outputFolder = dir.filePath(QStringLiteral("out"));
        host.files = files;
        const double seconds = SecondsFor([&] { RunSort(host); });
        if (host.messages != QStringList{QStringLiteral("分拣工作完成！")} || host.progress.size() != fileCount + 2) {
            std::fprintf(stderr, "the size sort did not measure every file\n");
            std::exit(1);
        }
        return seconds;
    };
    const auto statRun = [&](int) {
        return SecondsForCommand(QStringLiteral("find '%1' -type f -exec stat {} + > /dev/null").arg(source));
    };
    PrintBenchLine("size-10k", BestOfPairs(kBenchPairs, statRun, engineRun), "stat");
    return 0;
}

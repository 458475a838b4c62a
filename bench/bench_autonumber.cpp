// Auto-numbering: 10,000 files all named cover.jpg (a music library, one cover per album folder) sorted into one
// folder, against 10,000 files of distinct names sorted the same way in the same run. Both copy with the
// auto-number policy; the same name must not cost more than about twice the distinct names.

#include "EngineSort.h"
#include "testsupport/TestFiles.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

constexpr int kFiles = 10000;

double sortSeconds(const QByteArrayList& files, const QString& outDir) {
    FakeRunHost host;
    host.files = files;
    host.inputs.outputFolder = outDir;
    host.inputs.keywords = QStringLiteral("cover");
    host.inputs.policy = SameNamePolicy::Rename;
    const double seconds = EngineSortSeconds(host);
    if (EntriesOf(outDir + QStringLiteral("/cover")).size() != kFiles) {
        std::fprintf(stderr, "the sort did not place every file\n");
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    QByteArrayList sameName;
    QByteArrayList distinct;
    for (int i = 0; i < kFiles; ++i) {
        sameName.append(WriteTestFile(dir.filePath(QStringLiteral("albums/%1/cover.jpg").arg(i)), "cover"));
        distinct.append(WriteTestFile(dir.filePath(QStringLiteral("covers/cover-%1.jpg").arg(i)), "cover"));
    }
    const BestPair best = BestOfPairs(
        kBenchPairs,
        [&](int run) { return sortSeconds(distinct, dir.filePath(QStringLiteral("distinct-%1").arg(run))); },
        [&](int run) { return sortSeconds(sameName, dir.filePath(QStringLiteral("same-%1").arg(run))); });
    PrintBenchLine("autonumber-10k", best, "distinct");
    return 0;
}

// Sorting 10,000 files of 4 KiB by keyword through the engine, against cp -p -r of the same tree.

#include "BenchCommon.h"
#include "FakeRunHost.h"
#include "SortRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr int kFiles = 10000;
constexpr int kKeywords = 10;

// src/ with kFiles files of 4 KiB, each name holding one of the keywords kw0 ... kw9.
QByteArrayList makeSourceTree(const QString& root) {
    QDir().mkpath(root);
    const QByteArray content(4096, 'x');
    QByteArrayList paths;
    for (int i = 0; i < kFiles; ++i) {
        const QString path = QStringLiteral("%1/file_%2_kw%3.dat").arg(root).arg(i).arg(i % kKeywords);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
        paths.append(QFile::encodeName(path));
    }
    return paths;
}

double sortSeconds(const QByteArrayList& files, const QString& outDir, bool move) {
    FakeRunHost host;
    host.files = files;
    host.outDir = outDir;
    host.move = move;
    QStringList keywords;
    for (int k = 0; k < kKeywords; ++k) {
        keywords.append(QStringLiteral("kw%1").arg(k));
    }
    host.keywords = keywords.join(u' ');
    const double seconds = SecondsFor([&] { RunSort(host); });
    if (host.messages != QStringList{QStringLiteral("分拣工作完成！")}) {
        std::fprintf(stderr, "the sort did not complete cleanly\n");
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("src"));
    const QByteArrayList files = makeSourceTree(source);

    const double cpSeconds =
        SecondsForCommand(QStringLiteral("cp -p -r '%1' '%2'").arg(source, dir.filePath(QStringLiteral("cp-copy"))));
    PrintBenchLine("sort-copy-10k", sortSeconds(files, dir.filePath(QStringLiteral("copy-out")), false), "cp",
                   cpSeconds);
    PrintBenchLine("sort-move-10k", sortSeconds(files, dir.filePath(QStringLiteral("move-out")), true), "cp",
                   cpSeconds);
    return 0;
}

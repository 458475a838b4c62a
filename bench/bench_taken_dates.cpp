// The taken date of 1,000 JPEGs whose DateTimeOriginal exiftool wrote, read by the program planning a sort into year
// folders (varnoth sort --by-date '%Y' --dry-run --quiet), against exiftool -fast2 reading the same tag of the same
// files, each in one process. Every
// date is checked first, through the media library and in the program's plan.

#include "BenchCommon.h"
#include "media/MediaFacts.h"
#include "testsupport/TestImages.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

constexpr int kPictureCount = 1000;
const QDate kTakenDate(2021, 3, 4);
const QTime kTakenTime(5, 6, 7);

// The pictures, of assorted sizes as a camera folder has them, all taken at the same known moment.
QByteArrayList makePictures(const QString& folder, const QString& exiftool) {
    QDir().mkpath(folder);
    QByteArrayList paths;
    for (int i = 0; i < kPictureCount; ++i) {
        const QString path = u"%1/photo_%2.jpg"_s.arg(folder).arg(i);
        if (!WriteTestImage(path, "jpg", 64 + (i * 37) % 640, 48 + (i * 53) % 480)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
        paths.append(QFile::encodeName(path));
    }
    SecondsForCommand(u"'%1' -q -overwrite_original '-DateTimeOriginal=%2 %3' '%4'"_s.arg(
        exiftool, kTakenDate.toString(u"yyyy:MM:dd"_s), kTakenTime.toString(u"HH:mm:ss"_s), folder));
    return paths;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString exiftool = QStandardPaths::findExecutable(u"exiftool"_s);
    if (exiftool.isEmpty()) {
        std::fprintf(stderr, "exiftool is not installed (libimage-exiftool-perl)\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"pictures"_s);
    const QByteArrayList paths = makePictures(folder, exiftool);

    int wrong = 0;
    for (const QByteArray& path : paths) {
        const TakenDate taken = ReadTakenDate(path);
        wrong += taken.date() == kTakenDate && taken.time() == kTakenTime ? 0 : 1;
    }
    const QString out = dir.filePath(u"out"_s);
    const QString sort = u"'%1' sort --by-date '%Y' --dry-run --scan '%2' --out '%3'"_s.arg(
        QStringLiteral(VARNOTH_PROGRAM), folder, out);
    QProcess plan;
    plan.start(u"/bin/sh"_s, {u"-c"_s, sort});
    plan.waitForFinished(-1);
    const QByteArray planned = plan.readAllStandardOutput();
    wrong += kPictureCount - int(planned.count(QFile::encodeName(out) + "/2021/photo_"));
    if (wrong > 0) {
        std::fprintf(stderr, "%d taken dates read wrongly\n", wrong);
        return 1;
    }

    const BestPair best = BestOfPairs(
        kBenchPairs,
        [&](int) {
            return SecondsForCommand(u"'%1' -fast2 -s3 -DateTimeOriginal '%2' > /dev/null"_s.arg(exiftool, folder));
        },
        [&](int) { return SecondsForCommand(sort + u" --quiet > /dev/null"_s); });
    PrintBenchLine("taken-1k", best, "exiftool");
    return 0;
}

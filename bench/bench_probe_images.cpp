// Measuring 1,000 pictures of the five formats (JPEG, PNG, GIF, BMP, TIFF), a few of them large, through
// ProbeImageDimension, against identify -ping of the same files in one process.

#include "BenchCommon.h"
#include "engine/criteria/ImageProbe.h"
#include "testsupport/TestImages.h"

#include <QCoreApplication>
#include <QList>
#include <QSize>
#include <QTemporaryDir>

namespace {

constexpr int imageCount = 1000;

struct GeneratedImage {
    QByteArray path;
    int width;
};

// The pictures, the formats taking turns and the sizes assorted. The first picture of each format is large, and
// so are two more JPEGs: three 6000×4000 JPEGs, a 4000×3000 PNG and BMP, a 2000×1500 GIF and a 3000×2000 TIFF.
QList<GeneratedImage> makeImages(const QString& folder) {
    const char* const formats[] = {"jpg", "png", "gif", "bmp", "tiff"};
    const QSize largeSizes[] = {{6000, 4000}, {4000, 3000}, {2000, 1500}, {4000, 3000}, {3000, 2000}};
    QList<GeneratedImage> images;
    for (int i = 0; i < imageCount; ++i) {
        const int kind = i % 5;
        QSize size(16 + (i * 37) % 1200, 16 + (i * 53) % 900);
        if (i < 5 || (kind == 0 && i < 15)) {
            size = largeSizes[kind];
        }
        const QString path = QStringLiteral("%1/image_%2.%3").arg(folder).arg(i).arg(QLatin1String(formats[kind]));
        if (!WriteTestImage(path, formats[kind], size.width(), size.height())) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
        images.append({QFile::encodeName(path), size.width()});
    }
    return images;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("images"));
    const QList<GeneratedImage> images = makeImages(folder);

    const auto identifyRun = [&](int) {
        return SecondsForCommand(
            QStringLiteral("cd '%1' && identify -ping -format '%w %h\\n' * > /dev/null").arg(folder));
    };
    const auto probeRun = [&](int) {
        int wrong = 0;
        const double seconds = SecondsFor([&] {
            for (const GeneratedImage& image : images) {
                wrong += ProbeImageDimension(image.path, ImageDimension::Width) != quint32(image.width) ? 1 : 0;
            }
        });
        if (wrong > 0) {
            std::fprintf(stderr, "%d pictures measured wrongly\n", wrong);
            std::exit(1);
        }
        return seconds;
    };
    PrintBenchLine("probe-images-1k", BestOfPairs(kBenchPairs, identifyRun, probeRun), "identify");
    return 0;
}

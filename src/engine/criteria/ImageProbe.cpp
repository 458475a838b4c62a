#include "engine/criteria/ImageProbe.h"

#include "core/FsRegularFile.h"
#include "media/MediaFacts.h"

#include <QFile>
#include <QImageReader>

quint32 ProbeImageDimension(const QByteArray& path, ImageDimension which) {
    // The file is opened by its bytes, so a name that is not valid UTF-8 is measured too; the reader works on the
    // open descriptor, which RegularFile closes.
    const Fs::RegularFile file(path);
    if (!file.isOpen()) {
        return 0;
    }
    QFile device;
    if (!device.open(file.descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        return 0;
    }
    // HEIC, HEIF and AVIF through libheif, as shown after their rotation; the other formats through Qt's readers.
    QSize size = ReadHeifDisplaySize(file);
    if (!size.isValid()) {
        size = QImageReader(&device).size();
    }
    if (!size.isValid()) {
        return 0;
    }
    switch (which) {
    case ImageDimension::Width:
        return quint32(size.width());
    case ImageDimension::Height:
        return quint32(size.height());
    }
    return 0;
}

#include "testsupport/TestImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace {
void appendLittleEndian16(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// A GIF of width × height pixels, all of colour 0. The LZW stream sends a clear code before every two pixel codes, so
// the code table never grows past 3-bit codes and no compression logic is needed.
QByteArray solidGif(int width, int height) {
    QByteArray gif("GIF89a");
    appendLittleEndian16(gif, width);
    appendLittleEndian16(gif, height);
    gif.append(char(0x91)); // global colour table of 4 entries
    gif.append(2, '\0');    // background colour, aspect ratio
    gif.append(QByteArray::fromHex("000000ffffffff000000ff00"));
    gif.append(char(0x2C));
    appendLittleEndian16(gif, 0);
    appendLittleEndian16(gif, 0);
    appendLittleEndian16(gif, width);
    appendLittleEndian16(gif, height);
    gif.append('\0');
    gif.append(char(2)); // LZW minimum code size

    constexpr quint32 clearCode = 4;
    constexpr quint32 endCode = 5;
    QByteArray stream;
    quint32 bits = 0;
    int bitCount = 0;
    const auto emitCode = [&](quint32 code) {
        bits |= code << bitCount;
        bitCount += 3;
        while (bitCount >= 8) {
            stream.append(char(bits & 0xFF));
            bits >>= 8;
            bitCount -= 8;
        }
    };
    const qint64 pixels = qint64(width) * height;
    for (qint64 i = 0; i < pixels; ++i) {
        if (i % 2 == 0) {
            emitCode(clearCode);
        }
        emitCode(0);
    }
    emitCode(endCode);
    if (bitCount > 0) {
        stream.append(char(bits & 0xFF));
    }
    for (qsizetype at = 0; at < stream.size(); at += 255) {
        const QByteArray block = stream.mid(at, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append('\0');
    gif.append(char(0x3B));
    return gif;
}
} // namespace

bool WriteTestImage(const QString& path, const char* format, int width, int height) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (qstrcmp(format, "gif") == 0) {
        QFile file(path);
        const QByteArray gif = solidGif(width, height);
        return file.open(QIODevice::WriteOnly) && file.write(gif) == gif.size();
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image.save(path, format);
}

QByteArray WriteOnePixelPicture(const QString& path, qint64 bytes) {
    if (!WriteTestImage(path, "png", 1, 1) || !QFile::resize(path, bytes)) {
        return {};
    }
    return QFile::encodeName(path);
}

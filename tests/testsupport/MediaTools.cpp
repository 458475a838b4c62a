#include "testsupport/MediaTools.h"

#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return u"%1 %2 failed: %3"_s.arg(program, arguments.join(u' '),
                                         QString::fromLocal8Bit(process.readAllStandardError()));
    }
    return {};
}

} // namespace

MediaTools::MediaTools()
    : m_exiftool(QStandardPaths::findExecutable(u"exiftool"_s)),
      // ImageMagick 7 names itself magick; 6, as Debian 12 has it, convert.
      m_imageMagick(QStandardPaths::findExecutable(u"magick"_s)),
      m_heifEncoder(QStandardPaths::findExecutable(u"heif-enc"_s)) {
    if (m_imageMagick.isEmpty()) {
        m_imageMagick = QStandardPaths::findExecutable(u"convert"_s);
    }
}

QString MediaTools::missing() const {
    QStringList lacking;
    if (m_exiftool.isEmpty()) {
        lacking << u"exiftool (libimage-exiftool-perl)"_s;
    }
    if (m_imageMagick.isEmpty()) {
        lacking << u"ImageMagick (imagemagick)"_s;
    }
    if (m_heifEncoder.isEmpty()) {
        lacking << u"heif-enc (libheif-examples)"_s;
    }
    return lacking.isEmpty() ? QString() : u"not installed: "_s + lacking.join(u", "_s);
}

QString MediaTools::makePicture(const QString& path, int width, int height) const {
    return run(m_imageMagick, {u"-size"_s, u"%1x%2"_s.arg(width).arg(height), u"xc:#336699"_s, path});
}

QString MediaTools::encodeHeif(const QString& source, const QString& heifPath) const {
    return run(m_heifEncoder, {u"-q"_s, u"50"_s, source, u"-o"_s, heifPath});
}

QString MediaTools::writeTags(const QStringList& arguments) const {
    return run(m_exiftool, QStringList{u"-q"_s, u"-m"_s, u"-overwrite_original"_s} + arguments);
}

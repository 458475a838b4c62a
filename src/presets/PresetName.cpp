#include "presets/PresetName.h"

#include <QStringView>

using namespace Qt::StringLiterals;

namespace {

// The longest file name the file systems in use take (NAME_MAX).
constexpr qsizetype kLongestFileName = 255;
constexpr QByteArrayView kExtension = ".ini";

bool isLineBreak(char16_t c) {
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\x85' || c == u'\x2028' || c == u'\x2029';
}

bool escaped(char byte, qsizetype position) {
    const auto value = static_cast<unsigned char>(byte);
    return value <= 0x20 || byte == '%' || byte == '/' || (position == 0 && byte == '.');
}

} // namespace

std::optional<PresetNameFault> CheckPresetName(const QString& name) {
    if (name.isEmpty()) {
        return PresetNameFault::Empty;
    }
    for (const QChar c : name) {
        if (c == u'/' || c == u'\0' || isLineBreak(c.unicode())) {
            return PresetNameFault::ForbiddenChar;
        }
    }
    if (name.toUtf8().size() > kLongestPresetName || PresetFileName(name).size() > kLongestFileName) {
        return PresetNameFault::TooLong;
    }
    return std::nullopt;
}

QByteArray PresetFileName(const QString& name) {
    const QByteArray bytes = name.toUtf8();
    QByteArray fileName;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (escaped(bytes[i], i)) {
            fileName += '%' + QByteArray(1, bytes[i]).toHex().toUpper();
        } else {
            fileName += bytes[i];
        }
    }
    return fileName + kExtension.toByteArray();
}

std::optional<QString> PresetNameOfFile(const QByteArray& fileName) {
    if (!fileName.endsWith(kExtension)) {
        return std::nullopt;
    }
    const QByteArray stem = fileName.chopped(kExtension.size());
    const QByteArray bytes = QByteArray::fromPercentEncoding(stem);
    const QString name = QString::fromUtf8(bytes);
    // Only the one spelling PresetFileName writes stands for the name: a valid name, in valid UTF-8, escaped exactly
    // where it must be.
    if (name.toUtf8() != bytes || CheckPresetName(name) || PresetFileName(name) != fileName) {
        return std::nullopt;
    }
    return name;
}

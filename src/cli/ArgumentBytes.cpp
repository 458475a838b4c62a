#include "cli/ArgumentBytes.h"

#include "cli/Utf8Bytes.h"

namespace {
constexpr char16_t kEscapeBase = 0xDC00;
} // namespace

QString ArgumentText(const QByteArray& bytes) {
    QString text;
    qsizetype validStart = 0;
    const auto flushValid = [&](qsizetype end) {
        text += QString::fromUtf8(bytes.constData() + validStart, end - validStart);
    };
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = Utf8SequenceLength(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        flushValid(at);
        text += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[at])));
        validStart = ++at;
    }
    flushValid(bytes.size());
    return text;
}

QByteArray ArgumentBytes(const QString& text) {
    QByteArray bytes;
    qsizetype plainStart = 0;
    const auto flushPlain = [&](qsizetype end) {
        bytes += QStringView(text).mid(plainStart, end - plainStart).toUtf8();
    };
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at].unicode();
        const bool afterHighSurrogate = at > 0 && text[at - 1].isHighSurrogate();
        if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF && !afterHighSurrogate) {
            flushPlain(at);
            bytes += char(unit - kEscapeBase);
            plainStart = at + 1;
        }
    }
    flushPlain(text.size());
    return bytes;
}

QStringList ArgumentTexts(const QByteArrayList& arguments) {
    QStringList texts;
    texts.reserve(arguments.size());
    for (const QByteArray& argument : arguments) {
        texts.append(ArgumentText(argument));
    }
    return texts;
}

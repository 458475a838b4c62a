#include "core/TextBytes.h"

#include <QStringDecoder>

#include <algorithm>

QByteArray FoldAsciiUpper(const QByteArray& text) {
    QByteArray folded = text;
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - ('a' - 'A'));
        }
    }
    return folded;
}

namespace {
template <typename Text, typename CodeOf> Text trimmed(const Text& text, CodeOf codeOf) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && codeOf(text[begin]) <= 0x20) {
        ++begin;
    }
    while (end > begin && codeOf(text[end - 1]) <= 0x20) {
        --end;
    }
    return text.mid(begin, end - begin);
}

// Decodes bytes as UTF-8; valid is false when any sequence is broken.
QString decodeUtf8(const QByteArray& bytes, bool& valid) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    valid = !decoder.hasError();
    return text;
}
} // namespace

QString TrimBlanksAndControls(const QString& text) {
    return trimmed(text, [](QChar c) { return c.unicode(); });
}

QByteArray TrimBlanksAndControls(const QByteArray& text) {
    return trimmed(text, [](char c) { return static_cast<unsigned char>(c); });
}

QByteArray CaseFoldKey(QByteArrayView bytes) {
    // ASCII text folds to its lower-case letters, exactly as the decoded text would, without decoding it.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        QByteArray key(bytes.size(), Qt::Uninitialized);
        std::transform(bytes.begin(), bytes.end(), key.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; });
        return key;
    }
    bool valid = false;
    const QString text = decodeUtf8(bytes.toByteArray(), valid);
    if (valid) {
        return text.toCaseFolded().toUtf8();
    }
    // Folded UTF-8 text is always valid UTF-8 and so never starts with 0xFF; the marker keeps the two kinds of key
    // apart.
    return '\xff' + FoldAsciiUpper(bytes.toByteArray());
}

bool EqualIgnoringCase(const QByteArray& a, const QByteArray& b) {
    return CaseFoldKey(a) == CaseFoldKey(b);
}

QString DisplayText(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

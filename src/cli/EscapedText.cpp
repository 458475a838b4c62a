#include "cli/EscapedText.h"

#include "cli/Utf8Bytes.h"

namespace {
void appendHexEscape(QByteArray& out, unsigned char byte) {
    out += "\\x";
    out += QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
}

void appendEscapedAscii(QByteArray& out, unsigned char byte) {
    switch (byte) {
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    case '\\':
        out += "\\\\";
        return;
    }
    if (byte < 0x20 || byte == 0x7F) {
        appendHexEscape(out, byte);
    } else {
        out += char(byte);
    }
}

// U+0080 to U+009F, the C1 controls, are the two bytes C2 80 to C2 9F.
bool isC1Control(const QByteArray& bytes, qsizetype at, int length) {
    return length == 2 && static_cast<unsigned char>(bytes[at]) == 0xC2 &&
           static_cast<unsigned char>(bytes[at + 1]) <= 0x9F;
}
} // namespace

QByteArray EscapedText(const QByteArray& bytes) {
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = Utf8SequenceLength(bytes, at);
        if (length == 1) {
            appendEscapedAscii(out, static_cast<unsigned char>(bytes[at]));
        } else if (length == 0 || isC1Control(bytes, at, length)) {
            for (int i = 0; i < qMax(length, 1); ++i) {
                appendHexEscape(out, static_cast<unsigned char>(bytes[at + i]));
            }
        } else {
            out += bytes.mid(at, length);
        }
        at += qMax(length, 1);
    }
    return out;
}

#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Cuts the bytes a fuzzer hands over into the values a target needs: numbers, pieces and text. Every take gives a
// value for any input, taking less or zeros at the end, so that each input runs the code under test.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_bytes(reinterpret_cast<const char*>(data), qsizetype(size)) {}

    // The next byte, or 0 at the end.
    quint8 takeByte() { return m_at < m_bytes.size() ? quint8(m_bytes[m_at++]) : 0; }

    // The next eight bytes as a number, little-endian.
    qint64 takeInteger() {
        quint64 value = 0;
        for (int i = 0; i < 8; ++i) {
            value |= quint64(takeByte()) << (8 * i);
        }
        return qint64(value);
    }

    // The bytes up to the next NUL, which is consumed too, or up to the end.
    QByteArray takePiece() {
        const qsizetype nul = m_bytes.indexOf('\0', m_at);
        const qsizetype end = nul < 0 ? m_bytes.size() : nul;
        const QByteArray piece = m_bytes.mid(m_at, end - m_at);
        m_at = nul < 0 ? end : end + 1;
        return piece;
    }

    // Every byte not taken yet.
    QByteArray takeRest() {
        const QByteArray rest = m_bytes.mid(m_at);
        m_at = m_bytes.size();
        return rest;
    }

    // Text from bytes: decoded as UTF-8 when utf16 is false, otherwise taken as UTF-16 code units (little-endian,
    // a last odd byte dropped), which reaches every code unit, unpaired surrogates and NUL included.
    static QString textOf(const QByteArray& bytes, bool utf16) {
        if (!utf16) {
            return QString::fromUtf8(bytes);
        }
        QString text(bytes.size() / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i) {
            text[i] = QChar(char16_t(quint8(bytes[2 * i]) | quint8(bytes[2 * i + 1]) << 8));
        }
        return text;
    }

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
};

// Stops the run with a message when a property of the code under test does not hold; libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);                      \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>
#include <utility>

// One journal record as one line of text: a type, key=value fields, and a checksum of the line, then a line feed.
//
//     done n=12 size=4096 mtime=1714560000123456789 ino=1835021 dev=2049 #5c1f0a9e
//
// A value holds any bytes: every byte up to 0x20 (blank, tab, line breaks), 0x7F and '%' itself are written as
// %XX (two upper-case hex digits), every other byte as itself, so a line never breaks inside a value, and a path
// that is not valid UTF-8 comes back exactly as it was. The checksum (FNV-1a, 32 bits, 8 hex digits) covers
// everything before " #", so that a line torn by a crash or damaged later is recognised and skipped.

// Writes one record.
class JournalLineWriter {
public:
    explicit JournalLineWriter(QByteArrayView type);
    JournalLineWriter& bytes(QByteArrayView key, QByteArrayView value);
    JournalLineWriter& number(QByteArrayView key, qint64 value);
    JournalLineWriter& unsignedNumber(QByteArrayView key, quint64 value);
    // The complete line, checksum and line feed included; the writer is done with it.
    QByteArray line();

private:
    QByteArray m_text;
};

// One record read back.
class JournalLineFields {
public:
    // The record of line (without its line feed), or nothing when the line is damaged: a wrong checksum, a type
    // or key that is not lower-case letters and '-', a field without '=', a bad escape.
    static std::optional<JournalLineFields> parse(QByteArrayView line);

    const QByteArray& type() const { return m_type; }
    std::optional<QByteArray> bytes(QByteArrayView key) const;
    // A decimal number in the range of the type, or nothing when absent or malformed.
    std::optional<qint64> number(QByteArrayView key) const;
    std::optional<quint64> unsignedNumber(QByteArrayView key) const;

private:
    const QByteArray* raw(QByteArrayView key) const;
    QByteArray m_type;
    QList<std::pair<QByteArray, QByteArray>> m_fields; // key, value as written (escaped)
};

// The escaped form of value, and back; nothing for a malformed escape.
QByteArray EscapeJournalValue(QByteArrayView value);
std::optional<QByteArray> UnescapeJournalValue(QByteArrayView escaped);

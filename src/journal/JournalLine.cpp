#include "journal/JournalLine.h"

#include "core/PercentEscapes.h"

#include <charconv>

namespace {

quint32 checksumOf(QByteArrayView text) {
    quint32 hash = 2166136261u;
    for (const char byte : text) {
        hash = (hash ^ quint8(byte)) * 16777619u;
    }
    return hash;
}

// Eight lower-case hex digits: the only form read back, so that no other spelling passes for it.
QByteArray checksumText(QByteArrayView text) {
    constexpr char kDigits[] = "0123456789abcdef";
    const quint32 checksum = checksumOf(text);
    QByteArray digits(8, '0');
    for (int i = 0; i < 8; ++i) {
        digits[7 - i] = kDigits[(checksum >> (4 * i)) & 0xF];
    }
    return digits;
}

// Appends the decimal digits of value to text, without a temporary array.
template <typename Number> void appendDecimal(QByteArray& text, Number value) {
    char digits[24];
    const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, written.ptr - digits);
}

bool isName(QByteArrayView name) {
    if (name.isEmpty()) {
        return false;
    }
    for (const char c : name) {
        if (!((c >= 'a' && c <= 'z') || c == '-')) {
            return false;
        }
    }
    return true;
}

bool isDecimal(QByteArrayView digits, bool allowSign) {
    if (allowSign && digits.startsWith('-')) {
        digits = digits.sliced(1);
    }
    if (digits.isEmpty() || digits.size() > 20) {
        return false;
    }
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

} // namespace

QByteArray EscapeJournalValue(QByteArrayView value) {
    return PercentEscaped(value);
}

std::optional<QByteArray> UnescapeJournalValue(QByteArrayView escaped) {
    return PercentUnescaped(escaped);
}

JournalLineWriter::JournalLineWriter(QByteArrayView type) {
    m_text.reserve(320);
    m_text.append(type);
}

JournalLineWriter& JournalLineWriter::bytes(QByteArrayView key, QByteArrayView value) {
    m_text.append(' ').append(key).append('=');
    AppendPercentEscaped(m_text, value);
    return *this;
}

JournalLineWriter& JournalLineWriter::number(QByteArrayView key, qint64 value) {
    m_text.append(' ').append(key).append('=');
    appendDecimal(m_text, value);
    return *this;
}

JournalLineWriter& JournalLineWriter::unsignedNumber(QByteArrayView key, quint64 value) {
    m_text.append(' ').append(key).append('=');
    appendDecimal(m_text, value);
    return *this;
}

QByteArray JournalLineWriter::line() {
    const QByteArray checksum = checksumText(m_text);
    return std::move(m_text.append(" #").append(checksum).append('\n'));
}

std::optional<JournalLineFields> JournalLineFields::parse(QByteArrayView line) {
    const qsizetype mark = line.lastIndexOf(QByteArrayView(" #"));
    if (mark < 0 || line.size() - mark != 10) {
        return std::nullopt;
    }
    const QByteArrayView body = line.first(mark);
    if (line.sliced(mark + 2) != checksumText(body)) {
        return std::nullopt;
    }
    JournalLineFields fields;
    qsizetype at = 0;
    while (at <= body.size()) {
        qsizetype end = body.indexOf(' ', at);
        if (end < 0) {
            end = body.size();
        }
        const QByteArrayView word = body.sliced(at, end - at);
        if (at == 0) {
            if (!isName(word)) {
                return std::nullopt;
            }
            fields.m_type = word.toByteArray();
        } else {
            const qsizetype equals = word.indexOf('=');
            if (equals < 0 || !isName(word.first(equals))) {
                return std::nullopt;
            }
            fields.m_fields.append({word.first(equals).toByteArray(), word.sliced(equals + 1).toByteArray()});
        }
        at = end + 1;
    }
    return fields;
}

const QByteArray* JournalLineFields::raw(QByteArrayView key) const {
    for (const auto& [name, value] : m_fields) {
        if (name == key) {
            return &value;
        }
    }
    return nullptr;
}

std::optional<QByteArray> JournalLineFields::bytes(QByteArrayView key) const {
    const QByteArray* value = raw(key);
    return value ? UnescapeJournalValue(*value) : std::nullopt;
}

std::optional<qint64> JournalLineFields::number(QByteArrayView key) const {
    const QByteArray* value = raw(key);
    bool ok = false;
    const qint64 number = value && isDecimal(*value, true) ? value->toLongLong(&ok) : 0;
    return ok ? std::optional(number) : std::nullopt;
}

std::optional<quint64> JournalLineFields::unsignedNumber(QByteArrayView key) const {
    const QByteArray* value = raw(key);
    bool ok = false;
    const quint64 number = value && isDecimal(*value, false) ? value->toULongLong(&ok) : 0;
    return ok ? std::optional(number) : std::nullopt;
}

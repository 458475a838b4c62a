#include "settings/IniDocument.h"

#include "core/TextBytes.h"

namespace {

// A line without its line ending, and without the byte order mark an editor may put before the first line.
QByteArrayView contentOf(const QByteArray& line, bool first) {
    QByteArrayView content(line);
    if (content.endsWith('\n')) {
        content.chop(1);
    }
    if (content.endsWith('\r')) {
        content.chop(1);
    }
    if (first && content.startsWith("\xEF\xBB\xBF")) {
        content = content.sliced(3);
    }
    return content;
}

bool isBlank(QByteArrayView content) {
    return TrimBlanksAndControls(content.toByteArray()).isEmpty();
}

// The name of a section header line, or nothing when the line is not one.
std::optional<QByteArray> sectionNameOf(QByteArrayView content) {
    const QByteArray trimmed = TrimBlanksAndControls(content.toByteArray());
    if (!trimmed.startsWith('[')) {
        return std::nullopt;
    }
    const qsizetype close = trimmed.indexOf(']');
    return TrimBlanksAndControls(trimmed.mid(1, close < 0 ? -1 : close - 1));
}

struct KeyLine {
    QByteArray key;
    QByteArray value;
};

// The key and the value of a "key=value" line, or nothing for comments and lines without '='.
std::optional<KeyLine> keyLineOf(QByteArrayView content) {
    const QByteArray trimmed = TrimBlanksAndControls(content.toByteArray());
    const qsizetype equals = trimmed.indexOf('=');
    if (equals < 0 || trimmed.startsWith(';') || trimmed.startsWith('#')) {
        return std::nullopt;
    }
    return KeyLine{TrimBlanksAndControls(trimmed.left(equals)), TrimBlanksAndControls(trimmed.mid(equals + 1))};
}

bool sameName(QByteArrayView a, QByteArrayView b) {
    return EqualIgnoringCase(a.toByteArray(), b.toByteArray());
}

} // namespace

IniDocument::IniDocument(const QByteArray& bytes) {
    for (qsizetype begin = 0; begin < bytes.size();) {
        const qsizetype newline = bytes.indexOf('\n', begin);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        m_lines.append(bytes.mid(begin, end - begin));
        begin = end;
    }
}

std::optional<IniDocument::SectionLines> IniDocument::findSection(QByteArrayView section) const {
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const std::optional<QByteArray> name = sectionNameOf(contentOf(m_lines[i], i == 0));
        if (!name || !sameName(*name, section)) {
            continue;
        }
        qsizetype end = i + 1;
        while (end < m_lines.size() && !sectionNameOf(contentOf(m_lines[end], false))) {
            ++end;
        }
        return SectionLines{i, end};
    }
    return std::nullopt;
}

std::optional<qsizetype> IniDocument::findKey(const SectionLines& lines, QByteArrayView key) const {
    for (qsizetype i = lines.header + 1; i < lines.end; ++i) {
        const std::optional<KeyLine> line = keyLineOf(contentOf(m_lines[i], false));
        if (line && sameName(line->key, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> IniDocument::value(QByteArrayView section, QByteArrayView key) const {
    const std::optional<SectionLines> lines = findSection(section);
    if (!lines) {
        return std::nullopt;
    }
    const std::optional<qsizetype> index = findKey(*lines, key);
    if (!index) {
        return std::nullopt;
    }
    return keyLineOf(contentOf(m_lines[*index], false))->value;
}

// New lines follow the file's own line endings: CR LF when its first line ends so, otherwise LF.
QByteArray IniDocument::newline() const {
    return !m_lines.isEmpty() && m_lines.first().endsWith("\r\n") ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

void IniDocument::terminateLastLine() {
    if (!m_lines.isEmpty() && !m_lines.last().endsWith('\n')) {
        m_lines.last().append(newline());
    }
}

void IniDocument::setValue(QByteArrayView section, QByteArrayView key, const QByteArray& value) {
    QByteArray oneLine = value;
    oneLine.replace('\r', ' ').replace('\n', ' ');
    const QByteArray keyLine = key.toByteArray() + '=' + oneLine;

    const std::optional<SectionLines> lines = findSection(section);
    if (!lines) {
        terminateLastLine();
        if (!m_lines.isEmpty() && !isBlank(contentOf(m_lines.last(), m_lines.size() == 1))) {
            m_lines.append(newline());
        }
        m_lines.append('[' + section.toByteArray() + ']' + newline());
        m_lines.append(keyLine + newline());
        return;
    }
    if (const std::optional<qsizetype> index = findKey(*lines, key)) {
        QByteArray& line = m_lines[*index];
        const QByteArray ending = line.endsWith("\r\n") ? QByteArrayLiteral("\r\n")
                                  : line.endsWith('\n') ? QByteArrayLiteral("\n")
                                                        : QByteArray();
        line = keyLine + ending;
        return;
    }
    // After the section's last line that is not blank, so that blank lines before the next section stay there.
    qsizetype insertAt = lines->end;
    while (insertAt > lines->header + 1 && isBlank(contentOf(m_lines[insertAt - 1], false))) {
        --insertAt;
    }
    if (insertAt == m_lines.size()) {
        terminateLastLine();
    }
    m_lines.insert(insertAt, keyLine + newline());
}

QByteArray IniDocument::toBytes() const {
    return m_lines.join();
}

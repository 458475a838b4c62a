#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <optional>

// The text of a profile (INI) file as bytes: "[Section]" lines and "key=value" lines, with section and key names
// compared ignoring letter case. Lines starting with ';' or '#' are comments. Reading gives a value without its
// leading and trailing blanks and control characters; writing replaces the key's line or adds one at the end of its
// section (adding the section at the end when it is missing). Every other line keeps its bytes exactly, so comments,
// unknown keys and foreign sections of a hand-edited file survive.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(const QByteArray& bytes);

    // The value of key in section, or nothing when either is missing. The first of repeated sections or keys counts.
    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;

    // Sets key in section to value. Line breaks in value become blanks, so a value stays on its line and can never
    // add a key or a section. Section and key names are the program's own and contain no '=', ']' or line break.
    void setValue(QByteArrayView section, QByteArrayView key, const QByteArray& value);

    QByteArray toBytes() const;

private:
    // Where a section is: the index of its header line and the index just past its last line.
    struct SectionLines {
        qsizetype header;
        qsizetype end;
    };
    std::optional<SectionLines> findSection(QByteArrayView section) const;
    std::optional<qsizetype> findKey(const SectionLines& lines, QByteArrayView key) const;
    QByteArray newline() const;
    void terminateLastLine();

    // Every line with its own line ending ("\n", "\r\n", or none for a last line without one).
    QByteArrayList m_lines;
};

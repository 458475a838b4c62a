#pragma once

#include <QDate>
#include <QString>

#include <optional>
#include <variant>

// A pattern of folder names by date: %Y stands for the year in four digits, %m for the month and %d for the day in
// two, %% for a percent sign; other text is literal, and '/' separates the levels of folders.
class DatePattern {
public:
    // The pattern of text, or why it cannot name folders (in the user's words): it is empty, starts with '/', has a
    // level that is empty, "." or "..", a '%' before anything but Y, m, d or %, a NUL, a level whose names would be
    // longer than 255 bytes, or none of %Y, %m and %d.
    static std::variant<DatePattern, QString> parse(const QString& text);

    // The folder path below the output folder for date, levels separated by '/'; nothing for a year outside 1 to
    // 9999, which has no four digits.
    std::optional<QString> folderFor(QDate date) const;

private:
    explicit DatePattern(QString text) : m_text(std::move(text)) {}

    QString m_text;
};

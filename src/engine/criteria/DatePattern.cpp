#include "engine/criteria/DatePattern.h"

#include <QCoreApplication>

namespace {
constexpr qsizetype kLongestName = 255; // bytes of one name in a folder

// The bytes a token's expansion takes: four digits of the year, two of a month or day, one percent sign.
qsizetype expandedBytes(QChar token) {
    return token == u'Y' ? 4 : token == u'%' ? 1 : 2;
}

QString refusal(const char* reason) {
    return QCoreApplication::translate("DatePattern", "日期格式无效：%1")
        .arg(QCoreApplication::translate("DatePattern", reason));
}

// Why one level of the pattern cannot name a folder; nothing when it can. dateTokens counts its %Y, %m and %d.
std::optional<QString> levelRefusal(const QString& level, int& dateTokens) {
    if (level.isEmpty()) {
        return refusal(QT_TRANSLATE_NOOP("DatePattern", "文件夹层级不能为空"));
    }
    if (level == u"." || level == u"..") {
        return refusal(QT_TRANSLATE_NOOP("DatePattern", "文件夹名不能是 . 或 .."));
    }
    qsizetype bytes = 0;
    QString literal; // the level's literal text, measured as a whole: a character may take two QChars
    for (qsizetype i = 0; i < level.size(); ++i) {
        if (level[i] == QChar(0)) {
            return refusal(QT_TRANSLATE_NOOP("DatePattern", "不能包含空字符"));
        }
        if (level[i] != u'%') {
            literal += level[i];
            continue;
        }
        const QChar token = i + 1 < level.size() ? level[i + 1] : QChar();
        if (token != u'Y' && token != u'm' && token != u'd' && token != u'%') {
            return refusal(QT_TRANSLATE_NOOP("DatePattern", "% 后只能是 Y、m、d 或 %"));
        }
        dateTokens += token == u'%' ? 0 : 1;
        bytes += expandedBytes(token);
        ++i;
    }
    if (bytes + literal.toUtf8().size() > kLongestName) {
        return refusal(QT_TRANSLATE_NOOP("DatePattern", "文件夹名长于 255 字节"));
    }
    return std::nullopt;
}
} // namespace

std::variant<DatePattern, QString> DatePattern::parse(const QString& text) {
    if (text.isEmpty()) {
        return refusal(QT_TRANSLATE_NOOP("DatePattern", "不能为空"));
    }
    if (text.startsWith(u'/')) {
        return refusal(QT_TRANSLATE_NOOP("DatePattern", "不能以 / 开头"));
    }
    int dateTokens = 0;
    for (const QString& level : text.split(u'/')) {
        if (std::optional<QString> why = levelRefusal(level, dateTokens)) {
            return *why;
        }
    }
    if (dateTokens == 0) {
        return refusal(QT_TRANSLATE_NOOP("DatePattern", "至少要有 %Y、%m 或 %d 之一"));
    }
    return DatePattern(text);
}

std::optional<QString> DatePattern::folderFor(QDate date) const {
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) {
        return std::nullopt;
    }
    QString folder;
    for (qsizetype i = 0; i < m_text.size(); ++i) {
        if (m_text[i] != u'%') {
            folder += m_text[i];
            continue;
        }
        const QChar token = m_text[++i];
        if (token == u'Y') {
            folder += QString::number(date.year()).rightJustified(4, u'0');
        } else if (token == u'm') {
            folder += QString::number(date.month()).rightJustified(2, u'0');
        } else if (token == u'd') {
            folder += QString::number(date.day()).rightJustified(2, u'0');
        } else {
            folder += u'%';
        }
    }
    return folder;
}

#include "testsupport/SettingsValuesText.h"

#include "settings/ParameterKeys.h"

#include <QByteArray>

namespace {
QString describe(const QString& text) {
    return u'"' + text + u'"';
}

QString describe(int number) {
    return QString::number(number);
}

QString describe(const QStringList& list) {
    return u'[' + list.join(u", ") + u']';
}

QString describe(const std::optional<QDate>& date) {
    return date ? date->toString(Qt::ISODate) : QStringLiteral("none");
}

QString describe(const std::optional<QTime>& time) {
    return time ? time->toString(Qt::ISODateWithMs) : QStringLiteral("none");
}
} // namespace

char* toString(const SettingsValues& values) {
    QStringList members;
    for (const ParameterKey& key : ParameterKeys()) {
        members.append(QString::fromLatin1(key.name) + u'=' +
                       std::visit([&](auto member) { return describe(values.*member); }, key.member));
    }
    return qstrdup(members.join(u"; ").toUtf8().constData());
}

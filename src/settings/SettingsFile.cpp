#include "settings/SettingsFile.h"

#include "settings/IniFile.h"
#include "settings/ParameterKeys.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {
QString saveFailure(const QString& filePath, const QString& reason) {
    return u"无法保存设置文件“%1”：%2"_s.arg(QDir::toNativeSeparators(filePath), reason);
}
} // namespace

QString SettingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Varnoth.ini"_s;
}

SettingsValues LoadSettings(const QString& executableFolder, const QString& filePath, const QLocale& locale) {
    return ReadParameterKeys(ReadIniFile(filePath).document, executableFolder, locale);
}

QString SaveSettings(const SettingsValues& values, const QString& filePath, const QLocale& locale) {
    IniReadResult file = ReadIniFile(filePath);
    if (!file.error.isEmpty()) {
        return saveFailure(filePath, file.error);
    }
    WriteParameterKeys(values, locale, file.document);
    const QString error = WriteIniFile(filePath, file.document);
    return error.isEmpty() ? QString() : saveFailure(filePath, error);
}

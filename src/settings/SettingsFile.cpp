#include "settings/SettingsFile.h"

#include "settings/IniFile.h"
#include "settings/ParameterKeys.h"

#include <QStandardPaths>

#include <tuple>

using namespace Qt::StringLiterals;

QString SettingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Varnoth.ini"_s;
}

SettingsValues LoadSettings(const QString& defaultOutputFolder, const QString& filePath, const QLocale& locale) {
    IniDocument document;
    // A file that cannot be read leaves the document empty, so that every key loads as its default.
    std::ignore = ReadIniFile(filePath, document);
    return ReadParameterKeys(document, defaultOutputFolder, locale);
}

Fs::Error SaveSettings(const SettingsValues& values, const QString& filePath, const QLocale& locale) {
    IniDocument document;
    if (const Fs::Error error = ReadIniFile(filePath, document); error.failed()) {
        return error;
    }
    WriteParameterKeys(values, locale, document);
    return WriteIniFile(filePath, document);
}

#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace {
// The program's texts are Chinese; Qt's own texts follow them.
QLocale programLanguage() {
    return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
}
} // namespace

ProgramTranslations::ProgramTranslations() {
    // Without the translation installed (qt6-translations-l10n) Qt's texts stay English; nothing else changes.
    if (m_qt.load(programLanguage(), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qt);
    }
}

ProgramTranslations::~ProgramTranslations() {
    QCoreApplication::removeTranslator(&m_qt);
}

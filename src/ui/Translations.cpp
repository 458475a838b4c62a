#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

using namespace Qt::StringLiterals;

bool WindowsSpeakChinese(const QStringList& uiLanguages) {
    const QString first = uiLanguages.value(0);
    return first.isEmpty() || first == u"C"_s || first == u"POSIX"_s || first.startsWith(u"zh", Qt::CaseInsensitive);
}

ProgramTranslations::ProgramTranslations() {
    if (!WindowsSpeakChinese()) {
        // The program's texts are Chinese, and Qt's own are English: English needs only the program's translation.
        m_program.emplace(u"varnoth_en"_s);
        return;
    }
    // Without the translation installed (qt6-translations-l10n) Qt's texts stay English; nothing else changes.
    if (m_qt.load(QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China), u"qtbase"_s, u"_"_s,
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qt);
    }
}

ProgramTranslations::~ProgramTranslations() {
    QCoreApplication::removeTranslator(&m_qt);
}

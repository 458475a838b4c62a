#pragma once

#include "core/EmbeddedTranslations.h"

#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <optional>

// True when the windows speak Chinese, their own language: the user's first language is Chinese (zh*), or there is
// none but the C or POSIX locale. Every other language gets the English translation.
bool WindowsSpeakChinese(const QStringList& uiLanguages = QLocale::system().uiLanguages());

// The translations the program speaks through while an object of this class lives, installed in the application:
// the windows' texts and Qt's own texts (the buttons of message boxes, the file and folder dialogs) in the user's
// language, Chinese or English. The program's windows hold one, so that every window and dialog is made after it is
// in place.
class ProgramTranslations {
public:
    ProgramTranslations();
    ~ProgramTranslations();
    ProgramTranslations(const ProgramTranslations&) = delete;
    ProgramTranslations& operator=(const ProgramTranslations&) = delete;

private:
    std::optional<EmbeddedTranslations> m_program;
    QTranslator m_qt;
};

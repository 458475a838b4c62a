#pragma once

#include <QTranslator>

// The translations the program speaks through while an object of this class lives: Qt's own texts (the buttons of
// message boxes, the file and folder dialogs) in the program's language, installed in the application. The program's
// windows hold one, so that every window and dialog is made after it is in place.
class ProgramTranslations {
public:
    ProgramTranslations();
    ~ProgramTranslations();
    ProgramTranslations(const ProgramTranslations&) = delete;
    ProgramTranslations& operator=(const ProgramTranslations&) = delete;

private:
    QTranslator m_qt;
};

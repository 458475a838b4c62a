#pragma once

#include <QString>
#include <QTranslator>

#include <memory>
#include <vector>

// The translations of one translation file, installed in the application while an object of this class lives. Each
// library carries its own texts' part of the file, embedded as :/i18n/<name>/<library>.qm (cmake/Translations.cmake);
// every part linked into the program is installed.
class EmbeddedTranslations {
public:
    explicit EmbeddedTranslations(const QString& name);
    ~EmbeddedTranslations();
    EmbeddedTranslations(const EmbeddedTranslations&) = delete;
    EmbeddedTranslations& operator=(const EmbeddedTranslations&) = delete;

private:
    std::vector<std::unique_ptr<QTranslator>> m_parts;
};

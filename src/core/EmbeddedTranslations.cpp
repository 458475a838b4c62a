#include "core/EmbeddedTranslations.h"

#include <QCoreApplication>
#include <QDir>

using namespace Qt::StringLiterals;

EmbeddedTranslations::EmbeddedTranslations(const QString& name) {
    const QDir parts(u":/i18n/"_s + name);
    for (const QString& part : parts.entryList({u"*.qm"_s}, QDir::Files, QDir::Name)) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(parts.filePath(part)) && QCoreApplication::installTranslator(translator.get())) {
            m_parts.push_back(std::move(translator));
        }
    }
}

EmbeddedTranslations::~EmbeddedTranslations() {
    for (const std::unique_ptr<QTranslator>& part : m_parts) {
        QCoreApplication::removeTranslator(part.get());
    }
}

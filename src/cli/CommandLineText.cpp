#include "cli/CommandLineText.h"

using namespace Qt::StringLiterals;

bool CommandLineSpeaksChinese(const QStringList& uiLanguages) {
    return !uiLanguages.isEmpty() && uiLanguages.first().startsWith(u"zh", Qt::CaseInsensitive);
}

QString FailureReasonWords(FailureReason reason) {
    return CommandLineSpeaksChinese() ? FailureReasonText(reason) : QString::fromLatin1(FailureReasonCode(reason));
}

CommandLineTranslation::CommandLineTranslation() {
    if (m_translator.load(CommandLineSpeaksChinese() ? u":/i18n/varnoth_cli_zh_CN.qm"_s : u":/i18n/varnoth_en.qm"_s)) {
        QCoreApplication::installTranslator(&m_translator);
    }
}

CommandLineTranslation::~CommandLineTranslation() {
    QCoreApplication::removeTranslator(&m_translator);
}

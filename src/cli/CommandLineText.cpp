#include "cli/CommandLineText.h"

using namespace Qt::StringLiterals;

bool CommandLineSpeaksChinese(const QStringList& uiLanguages) {
    return !uiLanguages.isEmpty() && uiLanguages.first().startsWith(u"zh", Qt::CaseInsensitive);
}

QString WordsOrCode(const QString& words, const char* code) {
    return CommandLineSpeaksChinese() ? words : QString::fromLatin1(code);
}

QString FailureReasonWords(FailureReason reason) {
    return WordsOrCode(FailureReasonText(reason), FailureReasonCode(reason));
}

CommandLineTranslation::CommandLineTranslation() {
    if (m_translator.load(CommandLineSpeaksChinese() ? u":/i18n/varnoth_cli_zh_CN.qm"_s : u":/i18n/varnoth_en.qm"_s)) {
        QCoreApplication::installTranslator(&m_translator);
    }
}

CommandLineTranslation::~CommandLineTranslation() {
    QCoreApplication::removeTranslator(&m_translator);
}

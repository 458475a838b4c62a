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

CommandLineTranslation::CommandLineTranslation()
    : m_translations(CommandLineSpeaksChinese() ? u"varnoth_cli_zh_CN"_s : u"varnoth_en"_s) {}

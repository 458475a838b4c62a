#include "cli/CommandLineText.h"

bool CommandLineSpeaksChinese(const QStringList& uiLanguages) {
    return !uiLanguages.isEmpty() && uiLanguages.first().startsWith(u"zh", Qt::CaseInsensitive);
}

QString WordsOrCode(const QString& words, const char* code) {
    return CommandLineSpeaksChinese() ? words : QString::fromLatin1(code);
}

QString FailureReasonWords(FailureReason reason) {
    return WordsOrCode(FailureReasonText(reason), FailureReasonCode(reason));
}

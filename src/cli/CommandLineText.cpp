#include "cli/CommandLineText.h"

bool CommandLineSpeaksChinese(const QStringList& uiLanguages) {
    return !uiLanguages.isEmpty() && uiLanguages.first().startsWith(u"zh", Qt::CaseInsensitive);
}

QString FailureReasonWords(FailureReason reason) {
    return CommandLineSpeaksChinese() ? FailureReasonText(reason) : QString::fromLatin1(FailureReasonCode(reason));
}

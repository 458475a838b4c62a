#include "cli/CommandLineText.h"

using namespace Qt::StringLiterals;

namespace {
// Qt's command-line parser words its errors itself, through QCommandLineParser::tr. Its texts are named here so
// that they are in the command line's translation file, and reach a Chinese terminal in Chinese as well.
[[maybe_unused]] constexpr const char* kParserErrorTexts[]{
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown option '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown options: %1."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Missing value after '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unexpected value after '%1'."),
};
} // namespace

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

#include "cli/TerminalQuestion.h"

#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "cli/StandardStreams.h"

#include <optional>

namespace {
// One line of standard input without its line break; nothing at the end of input or when a signal came.
std::optional<QByteArray> readAnswerLine() {
    QByteArray line;
    char c = 0;
    for (;;) {
        const ssize_t count = ReadStandardInput(&c, 1);
        if (count != 1) {
            return std::nullopt;
        }
        if (c == '\n') {
            return line;
        }
        line += c;
    }
}
} // namespace

OverwriteAnswer AskOverwriteOnTerminal(const QByteArray& existing) {
    const QString prompt = CommandLine::tr("%1 exists. Replace it? y: yes, n: no, a: yes to all, N: no to all ")
                               .arg(QString::fromUtf8(EscapedText(existing)));
    for (;;) {
        WriteStandardError(prompt.toUtf8());
        const std::optional<QByteArray> line = readAnswerLine();
        if (!line) {
            WriteStandardError("\n");
            return OverwriteAnswer::NoToAll;
        }
        const QByteArray answer = line->trimmed();
        if (answer == "y" || answer == "Y" || answer == "yes") {
            return OverwriteAnswer::Yes;
        }
        if (answer == "n" || answer == "no") {
            return OverwriteAnswer::No;
        }
        if (answer == "a") {
            return OverwriteAnswer::YesToAll;
        }
        if (answer == "N") {
            return OverwriteAnswer::NoToAll;
        }
    }
}

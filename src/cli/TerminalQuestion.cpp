#include "cli/TerminalQuestion.h"

#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "cli/StandardStreams.h"
#include "engine/placement/SameNameEvidence.h"

#include <QDateTime>

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
QString factsLine(const QString& which, const std::optional<struct stat>& status) {
    if (!status) {
        return which.arg(CommandLine::tr("cannot be read"));
    }
    const QString when = QDateTime::fromSecsSinceEpoch(status->st_mtim.tv_sec).toString(u"yyyy-MM-dd HH:mm:ss");
    return which.arg(CommandLine::tr("%1 bytes, modified %2").arg(status->st_size).arg(when));
}

// The evidence the window's question shows, as lines for the terminal.
QByteArray evidenceLines(const QByteArray& existing, const QByteArray& incoming) {
    const SameNameEvidence evidence = GatherSameNameEvidence(existing, incoming, {});
    QStringList lines{factsLine(CommandLine::tr("  existing: %1"), evidence.existing),
                      factsLine(CommandLine::tr("  new:      %1"), evidence.incoming),
                      CommandLine::tr("            from %1").arg(QString::fromUtf8(EscapedText(incoming)))};
    switch (evidence.contents) {
    case SameNameEvidence::Contents::NotCompared:
        break;
    case SameNameEvidence::Contents::TooLarge:
        lines.append(CommandLine::tr("  the same size; contents not compared (larger than 256 MB)"));
        break;
    case SameNameEvidence::Contents::Same:
        lines.append(CommandLine::tr("  identical contents"));
        break;
    case SameNameEvidence::Contents::Different:
        lines.append(CommandLine::tr("  different contents"));
        break;
    }
    return lines.join(u'\n').toUtf8() + '\n';
}

} // namespace

OverwriteAnswer AskOverwriteOnTerminal(const QByteArray& existing, const QByteArray& incoming) {
    const QString prompt = CommandLine::tr("%1 exists. Replace it? y: yes, n: no, a: yes to all, N: no to all ")
                               .arg(QString::fromUtf8(EscapedText(existing)));
    WriteStandardError(evidenceLines(existing, incoming));
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

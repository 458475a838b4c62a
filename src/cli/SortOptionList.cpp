#include "cli/SortOptionList.h"

#include "cli/CommandLineText.h"
#include "cli/WatchRequest.h"

using namespace Qt::StringLiterals;

namespace {
QCommandLineOption flag(const QString& name, const QString& description) {
    return QCommandLineOption(name, description);
}

QCommandLineOption valued(const QString& name, const QString& valueName, const QString& description) {
    return QCommandLineOption(name, description, valueName);
}
} // namespace

QList<QCommandLineOption> SortOptionList() {
    return {
        valued(u"preset"_s, u"NAME"_s,
               CommandLine::tr("sort as the saved sort NAME; the other options given override its values")),
        valued(u"save-preset"_s, u"NAME"_s,
               CommandLine::tr("save the sort options (not the inputs) as the saved sort NAME, then sort the inputs")),
        valued(u"keywords"_s, u"TEXT"_s, CommandLine::tr("sort by keywords; TEXT is split at spaces")),
        flag(u"by-name"_s, CommandLine::tr("sort by file name")),
        valued(u"range"_s, u"FROM-TO"_s, CommandLine::tr("with --by-name: only the characters FROM to TO of the name")),
        valued(u"remove"_s, u"TEXT"_s,
               CommandLine::tr("with --by-name: cut these pieces, separated by *, out of the name")),
        flag(u"existing-folders-only"_s, CommandLine::tr("with --by-name: only files whose folder already exists")),
        flag(u"by-type"_s, CommandLine::tr("sort by file type (extension)")),
        valued(u"larger"_s, u"SIZE"_s, CommandLine::tr("files larger than SIZE, a whole number and KB or MB")),
        valued(u"smaller"_s, u"SIZE"_s, CommandLine::tr("files smaller than SIZE, a whole number and KB or MB")),
        valued(u"before"_s, u"WHEN"_s, CommandLine::tr("files older than WHEN: YYYY-MM-DD [HH:MM[:SS]], local time")),
        valued(u"after"_s, u"WHEN"_s, CommandLine::tr("files newer than WHEN: YYYY-MM-DD [HH:MM[:SS]], local time")),
        flag(u"created"_s, CommandLine::tr("with --before, --after or --by-date: use the creation time")),
        flag(u"taken"_s, CommandLine::tr("with --before or --after: use the taken time of photos and videos")),
        flag(u"modified"_s, CommandLine::tr("with --before, --after or --by-date: use the modification time")),
        valued(u"by-date"_s, u"PATTERN"_s,
               CommandLine::tr("into folders named by each file's taken time: %Y year, %m month, %d day, / levels")),
        valued(u"width"_s, u"COND"_s, CommandLine::tr("pictures whose width is >=N, <=N or =N pixels")),
        valued(u"height"_s, u"COND"_s, CommandLine::tr("pictures whose height is >=N, <=N or =N pixels")),
        valued(u"picture-types"_s, u"LIST"_s,
               CommandLine::tr("with --width or --height: jpg,bmp,gif,png,tif,webp,heic,heif,avif (default: all)")),
        QCommandLineOption({u"o"_s, u"out"_s}, CommandLine::tr("the output folder (required)"), u"DIR"_s),
        flag(u"move"_s, CommandLine::tr("move the files instead of copying them")),
        valued(u"on-conflict"_s, u"POLICY"_s, CommandLine::tr("skip (default), overwrite, number or ask")),
        flag(u"skip-identical"_s,
             CommandLine::tr("leave a file alone when a file of the same contents already holds its name")),
        valued(u"include"_s, u"LIST"_s, CommandLine::tr("only files of these comma-separated extensions")),
        valued(u"exclude"_s, u"LIST"_s, CommandLine::tr("all files but those of these comma-separated extensions")),
        valued(u"list"_s, u"FILE"_s, CommandLine::tr("add the paths of a list file")),
        valued(u"scan"_s, u"DIR"_s, CommandLine::tr("add the files below DIR, the whole tree")),
        valued(u"depth"_s, u"N"_s, CommandLine::tr("with --scan: only N levels below DIR (0: its own files)")),
        flag(u"stdin"_s, CommandLine::tr("add paths read from standard input, one per line")),
        QCommandLineOption({u"0"_s, u"null"_s}, CommandLine::tr("with --stdin: the paths are separated by NUL")),
        QCommandLineOption({u"n"_s, u"dry-run"_s},
                           CommandLine::tr("print the plan, one step a line, and touch nothing")),
        flag(u"json"_s, CommandLine::tr("one JSON object per step on standard output")),
        QCommandLineOption({u"c"_s, u"changes-only"_s},
                           CommandLine::tr("with --dry-run or --json: leave out the steps that change nothing")),
        QCommandLineOption({u"q"_s, u"quiet"_s}, CommandLine::tr("no progress and no summary")),
        flag(u"no-journal"_s, CommandLine::tr("run without writing a journal (no undo)")),
    };
}

QCommandLineOption HelpOption() {
    return QCommandLineOption({u"h"_s, u"help"_s}, CommandLine::tr("show this help and exit"));
}

QCommandLineOption VersionOption() {
    return QCommandLineOption({u"V"_s, u"version"_s}, CommandLine::tr("show the version and exit"));
}

namespace {
// "-0, --null" or "--larger SIZE"
QString optionSynopsis(const QCommandLineOption& option) {
    QStringList names;
    for (const QString& name : option.names()) {
        names.append((name.size() == 1 ? u"-"_s : u"--"_s) + name);
    }
    QString synopsis = names.join(u", "_s);
    if (!option.valueName().isEmpty()) {
        synopsis += u' ' + option.valueName();
    }
    return synopsis;
}

void appendOptionLines(QString& help, const QList<QCommandLineOption>& options) {
    constexpr int kSynopsisWidth = 26;
    for (const QCommandLineOption& option : options) {
        if (!(option.flags() & QCommandLineOption::HiddenFromHelp)) {
            help +=
                u"  "_s + optionSynopsis(option).leftJustified(kSynopsisWidth) + u' ' + option.description() + u'\n';
        }
    }
}
} // namespace

QString HelpText() {
    QString help = CommandLine::tr("Usage:\n"
                                   "  varnoth [PATH...]                   open the window with PATHs in the file list\n"
                                   "  varnoth sort [OPTION...] [PATH...]  sort without a window\n"
                                   "  varnoth history                     list the journaled runs, newest first\n"
                                   "  varnoth undo [--watch] [RUN]        undo the last run not yet undone, or RUN\n"
                                   "  varnoth presets                     list the saved sorts\n"
                                   "  varnoth watch [OPTION...] FOLDER... sort what arrives in FOLDERs until stopped\n"
                                   "  varnoth --help | --version\n"
                                   "\n"
                                   "A PATH that is a folder adds the files in it. Exactly one of --keywords, "
                                   "--by-name, --by-type,\n"
                                   "--larger, --smaller, --before, --after, --width, --height and --by-date chooses "
                                   "how to sort,\n"
                                   "unless --preset names a saved sort.\n"
                                   "sort needs at least one PATH, --list, --scan or --stdin, unless it only saves "
                                   "(--save-preset).\n"
                                   "Only the window needs a display.\n"
                                   "\n"
                                   "Options of sort:\n");
    appendOptionLines(help, SortOptionList());
    help += CommandLine::tr("\nOptions of watch, besides those of sort but --dry-run, --list, --scan and --stdin\n"
                            "(--depth: levels of sub-folders watched, default 0):\n");
    appendOptionLines(help, WatchOptionList());
    help += CommandLine::tr("\nOther options:\n");
    appendOptionLines(help, {HelpOption(), VersionOption()});
    help += CommandLine::tr("\n--dry-run writes one line per step: action, source, destination and reason,\n"
                            "separated by tabs, then a summary line.\n"
                            "history writes one line per run: identifier, start, criterion, copy or move, the\n"
                            "counts placed, left, nomatch and failed, the state, what the last undo left, the\n"
                            "short id, the count filtered and the count identical, separated by tabs; on a\n"
                            "terminal, a header line comes first. RUN is an identifier or a short id.\n"
                            "presets writes one line per saved sort: name, criterion and output folder,\n"
                            "separated by tabs.\n"
                            "\nExit status: 0 done, 1 some file failed (undo: something was left), 2 wrong\n"
                            "arguments or unreadable input (undo: no such run, a short id of more than one run,\n"
                            "nothing to undo or a journal that cannot be trusted), 128+N ended by signal N.\n");
    // A translation may drop the last line break; the help must still end its last line.
    if (!help.endsWith(u'\n')) {
        help += u'\n';
    }
    return help;
}

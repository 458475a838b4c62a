#include "cli/CommandLineMain.h"

#include "cli/ArgumentBytes.h"
#include "cli/CliRunHost.h"
#include "cli/ClosestName.h"
#include "cli/CommandLineText.h"
#include "cli/EscapedText.h"
#include "cli/InputPaths.h"
#include "cli/InterruptOnSignal.h"
#include "cli/JournalCommands.h"
#include "cli/PresetCommands.h"
#include "cli/SortOptionList.h"
#include "cli/SortRequest.h"
#include "cli/StandardStreams.h"
#include "cli/StepOutput.h"
#include "cli/WatchCommand.h"
#include "cli/WatchRequest.h"
#include "core/FsEntries.h"
#include "engine/SortPlan.h"
#include "engine/SortRun.h"
#include "filelist/FileListModel.h"
#include "journal/JournalFolder.h"

#include <QCommandLineParser>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr int kUsageStatus = 2;

int usageError(const QString& line) {
    PrintErrorLine(line);
    return kUsageStatus;
}

// The parser's own message names the option as given, whose bytes may need escaping.
int parserError(const QCommandLineParser& parser) {
    const QString message = QString::fromUtf8(EscapedText(ArgumentBytes(parser.errorText())));
    return usageError(CommandLine::tr("%1 See 'varnoth --help' for the options.").arg(message));
}

// Adds --help and --version to parser and parses arguments after the command's words. An exit status when the
// arguments are wrong or --help or --version answered them; nothing when the command is to run.
std::optional<int> parseCommand(QCommandLineParser& parser, const QString& command, const QStringList& arguments) {
    parser.addOption(HelpOption());
    parser.addOption(VersionOption());
    if (!parser.parse(QStringList{command} + arguments)) {
        return parserError(parser);
    }
    if (parser.isSet(u"help"_s)) {
        WriteStandardOutput(HelpText().toUtf8());
        return 0;
    }
    if (parser.isSet(u"version"_s)) {
        WriteStandardOutput("varnoth " VARNOTH_VERSION "\n");
        return 0;
    }
    return std::nullopt;
}

int signalStatus() {
    return 128 + InterruptingSignal();
}

// --dry-run: the plan of the run, from the run's own code, with nothing touched.
int runPlan(CliRunHost& host, const SortRequest& request, int fileCount) {
    // Nothing to sort plans nothing, as the run then does nothing.
    const std::optional<SortPlan> plan = fileCount == 0 ? SortPlan{} : PlanSort(host);
    if (InterruptingSignal() != 0) {
        return signalStatus();
    }
    if (!plan) {
        return host.exitStatus();
    }
    PrintPlan(*plan, request);
    return 0;
}

// Names each folder that could not be read on standard error.
void printUnreadableFolders(const AddedInputs& added) {
    for (const UnreadableFolder& folder : added.unreadableFolders) {
        PrintErrorLine(UnreadableFolderLine(folder));
    }
}

// The run's exit status, or the plan's: a run that went on without folders it could not read did not do all it was
// asked to.
int sortStatus(CliRunHost& host, const SortRequest& request, int fileCount, const AddedInputs& added) {
    if (request.dryRun) {
        const int status = runPlan(host, request, fileCount);
        return status == 0 && !added.unreadableFolders.isEmpty() ? 1 : status;
    }
    if (fileCount == 0) {
        // Nothing to sort is nothing left undone: scripts that find no files go on without an error.
        host.showCompletion(RunReport());
    } else {
        RunSort(host);
    }
    if (InterruptingSignal() != 0) {
        return signalStatus();
    }
    return added.unreadableFolders.isEmpty() ? host.exitStatus() : std::max(host.exitStatus(), 1);
}

int runSort(const SortRequest& request) {
    FileListModel files;
    const AddedInputs added = AddSortInputs(request.sources, files);
    if (InterruptingSignal() != 0) {
        return signalStatus();
    }
    if (added.error) {
        return usageError(*added.error);
    }
    printUnreadableFolders(added);
    if (!added.unreadableFolders.isEmpty() && !added.anyRead) {
        return usageError(CommandLine::tr("nothing to sort could be read"));
    }
    CliRunHost host(request, files);
    return sortStatus(host, request, files.size(), added);
}

int runSortCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions(SortOptionList());
    if (const std::optional<int> status = parseCommand(parser, u"varnoth sort"_s, arguments)) {
        return *status;
    }
    const std::variant<SortRequest, UsageError> request = MakeSortRequest(parser);
    if (const UsageError* error = std::get_if<UsageError>(&request)) {
        return usageError(error->message);
    }
    if (const std::optional<int> status = SaveRequestedPreset(std::get<SortRequest>(request))) {
        return *status;
    }
    return runSort(std::get<SortRequest>(request));
}

int runWatchCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions(SortOptionList());
    parser.addOptions(WatchOptionList());
    if (const std::optional<int> status = parseCommand(parser, u"varnoth watch"_s, arguments)) {
        return *status;
    }
    const std::variant<WatchRequest, UsageError> request = MakeWatchRequest(parser);
    if (const UsageError* error = std::get_if<UsageError>(&request)) {
        return usageError(error->message);
    }
    return RunWatchCommand(std::get<WatchRequest>(request));
}

int runPresetsCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    if (const std::optional<int> status = parseCommand(parser, u"varnoth presets"_s, arguments)) {
        return *status;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(CommandLine::tr("presets: expected no arguments"));
    }
    return RunPresetsCommand();
}

int runHistoryCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    if (const std::optional<int> status = parseCommand(parser, u"varnoth history"_s, arguments)) {
        return *status;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(CommandLine::tr("history: expected no arguments"));
    }
    return RunHistoryCommand(JournalFolder::standard());
}

int runUndoCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(
        u"RUN"_s, CommandLine::tr("the run to undo: its identifier or short id, as 'varnoth history' shows them"));
    parser.addOption(QCommandLineOption(
        u"watch"_s, CommandLine::tr("without RUN: the newest run may also be a batch of a watched folder")));
    if (const std::optional<int> status = parseCommand(parser, u"varnoth undo"_s, arguments)) {
        return *status;
    }
    const QStringList runs = parser.positionalArguments();
    if (runs.size() > 1) {
        return usageError(CommandLine::tr("undo: expected at most one RUN"));
    }
    const std::optional<QByteArray> run = runs.isEmpty() ? std::nullopt : std::optional(ArgumentBytes(runs.first()));
    return RunUndoCommand(JournalFolder::standard(), run,
                          parser.isSet(u"watch"_s) ? WatchBatches::Included : WatchBatches::Skipped);
}

// The commands: the first argument that names one runs it with the arguments after it. A mistyped command is
// matched against these names.
struct Command {
    QByteArray name;
    int (*run)(const QStringList& arguments);
};
const Command kCommands[]{
    {"sort", runSortCommand},   {"history", runHistoryCommand}, {"undo", runUndoCommand},
    {"watch", runWatchCommand}, {"presets", runPresetsCommand},
};

const Command* commandNamed(const QByteArray& name) {
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const Command& command) { return command.name == name; });
    return found == std::end(kCommands) ? nullptr : found;
}

QByteArrayList commandNames() {
    QByteArrayList names;
    for (const Command& command : kCommands) {
        names.append(command.name);
    }
    return names;
}

// The first argument when it stands where a command would and is neither a command nor the name of anything on the
// disk: a command mistyped, which must not open the window.
std::optional<QByteArray> mistypedCommand(const QByteArrayList& arguments) {
    if (arguments.isEmpty() || arguments.first().startsWith('-') || commandNamed(arguments.first()) ||
        Fs::ReachesAnything(arguments.first())) {
        return std::nullopt;
    }
    return arguments.first();
}

int notACommand(const QByteArray& word) {
    const QString shown = QString::fromUtf8(EscapedText(word));
    if (const std::optional<QByteArray> meant = ClosestName(word, commandNames())) {
        return usageError(CommandLine::tr("'%1' is not a command or a file; did you mean '%2'?")
                              .arg(shown, QString::fromLatin1(*meant)));
    }
    return usageError(CommandLine::tr("'%1' is not a command or a file; see 'varnoth --help'").arg(shown));
}

// A display the window can open on. Without one Qt would end the program with an abort; an explicit platform
// (QT_QPA_PLATFORM, such as offscreen) is the user's choice and counts as one.
bool displayAvailable() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}
} // namespace

QByteArrayList ProgramArguments(int argc, char** argv) {
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QByteArray(argv[i]));
    }
    return arguments;
}

std::optional<QByteArrayList> WindowPathArguments(const QByteArrayList& arguments) {
    if (!arguments.isEmpty() && commandNamed(arguments.first())) {
        return std::nullopt;
    }
    QByteArrayList paths = arguments;
    const qsizetype endOfOptions = arguments.indexOf("--");
    for (qsizetype i = 0; i < (endOfOptions < 0 ? arguments.size() : endOfOptions); ++i) {
        if (arguments[i].startsWith('-') && arguments[i] != "-") {
            return std::nullopt;
        }
    }
    if (endOfOptions >= 0) {
        paths.removeAt(endOfOptions);
    }
    return paths;
}

std::optional<QByteArrayList> WindowToOpen(const QByteArrayList& arguments) {
    std::optional<QByteArrayList> paths = WindowPathArguments(arguments);
    if (!paths || mistypedCommand(arguments) || !displayAvailable()) {
        return std::nullopt;
    }
    return paths;
}

void AddWindowPaths(const QByteArrayList& paths, FileListModel& fileList) {
    const AddedInputs added = AddNamedPaths(paths, fileList);
    for (const QByteArray& missing : added.missing) {
        PrintErrorLine(CommandLine::tr("%1: no such file or folder").arg(QString::fromUtf8(EscapedText(missing))));
    }
    printUnreadableFolders(added);
}

int RunCommandLine(const QByteArrayList& arguments) {
    InterruptOnTerminationSignals();
    const QStringList texts = ArgumentTexts(arguments);
    if (const Command* command = arguments.isEmpty() ? nullptr : commandNamed(arguments.first())) {
        return command->run(texts.mid(1));
    }
    if (const std::optional<QByteArray> word = mistypedCommand(arguments)) {
        return notACommand(*word);
    }
    if (WindowPathArguments(arguments)) {
        // Arguments for the window, which WindowToOpen did not open: there is no display.
        return usageError(CommandLine::tr("the window needs a display, and there is none (DISPLAY and "
                                          "WAYLAND_DISPLAY are not set); to sort without a window, see "
                                          "'varnoth sort --help'"));
    }
    QCommandLineParser parser;
    if (const std::optional<int> status = parseCommand(parser, u"varnoth"_s, texts)) {
        return *status;
    }
    return usageError(CommandLine::tr("expected a command; see 'varnoth --help'"));
}

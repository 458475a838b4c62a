#include "cli/WatchRequest.h"

#include "cli/CommandLineText.h"
#include "cli/PresetWords.h"
#include "presets/PresetStore.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kLongestSettleSeconds = 24 * 3600;

} // namespace

QList<QCommandLineOption> WatchOptionList() {
    return {
        QCommandLineOption(u"new-only"_s, CommandLine::tr("watch: leave the files already in the folders alone")),
        QCommandLineOption(u"save"_s, CommandLine::tr("watch: with --preset, keep the FOLDERs in that saved sort as "
                                                      "the folders it watches, and exit")),
        QCommandLineOption(u"settle"_s,
                           CommandLine::tr("watch: take a file once it has been quiet this long (default 5)"),
                           u"SECONDS"_s),
    };
}

std::variant<WatchRequest, UsageError> MakeWatchRequest(const QCommandLineParser& parser) {
    // A watch takes its files from the folders; a plan or another source of files has no meaning for it.
    for (const QString& option : {u"dry-run"_s, u"list"_s, u"scan"_s, u"stdin"_s, u"null"_s, u"save-preset"_s}) {
        if (parser.isSet(option)) {
            return UsageError{CommandLine::tr("--%1 is not an option of watch").arg(option)};
        }
    }
    std::variant<SortRequest, UsageError> sort = MakeSortRequest(parser, true);
    if (UsageError* error = std::get_if<UsageError>(&sort)) {
        return *error;
    }
    WatchRequest watch;
    watch.sort = std::get<SortRequest>(std::move(sort));
    watch.save = parser.isSet(u"save"_s);
    if (watch.save && (!watch.sort.preset || !watch.sort.chain.isEmpty() || watch.sort.sources.paths.isEmpty())) {
        return UsageError{CommandLine::tr("--save: expected --preset NAME and the FOLDERs it is to watch")};
    }
    watch.folders = watch.sort.sources.paths;
    if (watch.folders.isEmpty() && watch.sort.preset) {
        std::variant<QByteArrayList, PresetError> saved = LoadWatchFolders(watch.sort.preset->name);
        if (const PresetError* error = std::get_if<PresetError>(&saved)) {
            return UsageError{PresetErrorText(u"--preset"_s, watch.sort.preset->name, *error)};
        }
        watch.folders = std::get<QByteArrayList>(saved);
    }
    if (watch.folders.isEmpty()) {
        return UsageError{CommandLine::tr("watch: no folder to watch; give FOLDERs, or keep them in the saved sort "
                                          "with 'varnoth watch --preset NAME --save FOLDER...'")};
    }
    watch.depth = watch.sort.sources.depth.value_or(0);
    watch.sort.sources = {};
    watch.newOnly = parser.isSet(u"new-only"_s);
    if (parser.isSet(u"settle"_s)) {
        bool ok = false;
        const qint64 seconds = parser.value(u"settle"_s).toLongLong(&ok);
        if (!ok || seconds < 0 || seconds > kLongestSettleSeconds) {
            return UsageError{
                CommandLine::tr("--settle: expected a whole number of seconds, 0 to %1").arg(kLongestSettleSeconds)};
        }
        watch.settleMs = seconds * 1000;
    }
    return watch;
}

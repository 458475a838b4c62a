#include "cli/SortRequest.h"

#include "cli/ArgumentBytes.h"
#include "cli/CommandLineText.h"
#include "cli/InputPaths.h"
#include "cli/OptionValues.h"
#include "cli/PresetWords.h"
#include "cli/SortOptionList.h"
#include "cli/Utf8Bytes.h"
#include "core/CriterionPage.h"
#include "core/FsEntries.h"
#include "core/TextBytes.h"
#include "engine/criteria/DatePattern.h"
#include "engine/criteria/PageChoiceTexts.h"
#include "presets/PresetStore.h"

#include <QCommandLineParser>
#include <QFile>

#include <algorithm>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList kCriterionOptions{u"keywords"_s, u"by-name"_s, u"by-type"_s, u"larger"_s, u"smaller"_s,
                                    u"before"_s,   u"after"_s,   u"width"_s,   u"height"_s, u"by-date"_s};
// Options of which at most one may be given: the time a date criterion uses.
const QStringList kTimeOptions{u"created"_s, u"taken"_s, u"modified"_s};
// The page each criterion option chooses.
const QList<std::pair<QString, CriterionPage>> kCriterionPages{
    {u"keywords"_s, KeywordPage}, {u"by-name"_s, NamePage},       {u"by-type"_s, TypePage}, {u"larger"_s, SizePage},
    {u"smaller"_s, SizePage},     {u"before"_s, DatePage},        {u"after"_s, DatePage},   {u"width"_s, ImagePage},
    {u"height"_s, ImagePage},     {u"by-date"_s, DateFoldersPage}};
// Options that may be given more than once: every one adds inputs.
const QStringList kRepeatableOptions{u"list"_s, u"scan"_s, u"preset"_s};
// Options that change one saved sort's page, which a chain of several keeps as each saved sort has it.
const QStringList kPageOptions{u"range"_s, u"remove"_s,   u"existing-folders-only"_s, u"created"_s,
                               u"taken"_s, u"modified"_s, u"picture-types"_s};
// Options that mean something only beside another one.
const QList<std::pair<QString, QStringList>> kDependentOptions{{u"range"_s, {u"by-name"_s}},
                                                               {u"remove"_s, {u"by-name"_s}},
                                                               {u"existing-folders-only"_s, {u"by-name"_s}},
                                                               {u"created"_s, {u"before"_s, u"after"_s, u"by-date"_s}},
                                                               {u"taken"_s, {u"before"_s, u"after"_s}},
                                                               {u"modified"_s, {u"before"_s, u"after"_s, u"by-date"_s}},
                                                               {u"picture-types"_s, {u"width"_s, u"height"_s}},
                                                               {u"depth"_s, {u"scan"_s}},
                                                               {u"null"_s, {u"stdin"_s}}};

QString dashed(const QString& name) {
    return (name.size() == 1 ? u"-"_s : u"--"_s) + name;
}

UsageError expected(const QString& option, const QString& what) {
    return {CommandLine::tr("%1: expected %2").arg(dashed(option), what)};
}

// The long name of the option that name (a short or a long one) belongs to: -o and --out are one option.
QString longName(const QString& name) {
    for (const QCommandLineOption& option : SortOptionList()) {
        if (option.names().contains(name)) {
            return option.names().last();
        }
    }
    return name;
}

// Whether a saved sort of the request works on a page that a criterion option chooses: the options that only mean
// something beside a criterion then change that saved sort's page.
bool savedPageOf(const QString& criterion, const SortRequest& request) {
    for (const auto& [option, page] : kCriterionPages) {
        if (option == criterion && request.preset && request.preset->inputs.page == page) {
            return true;
        }
    }
    return false;
}

// The option names and the combination rules, before any value is looked at. A saved sort stands for the criterion
// and the output folder when no option gives them.
std::optional<UsageError> checkCombination(const QCommandLineParser& parser, const SortRequest& request) {
    QStringList given;
    for (const QString& name : parser.optionNames()) {
        given.append(longName(name));
    }
    for (const QString& name : given) {
        if (!kRepeatableOptions.contains(name) && given.count(name) > 1) {
            return UsageError{CommandLine::tr("%1: given more than once").arg(dashed(name))};
        }
    }
    QStringList criteria;
    for (const QString& name : kCriterionOptions) {
        if (parser.isSet(name)) {
            criteria.append(dashed(name));
        }
    }
    if (criteria.size() > 1 || (criteria.isEmpty() && !request.preset)) {
        const QString given = criteria.isEmpty() ? CommandLine::tr("no criterion") : criteria.join(u", "_s);
        return UsageError{CommandLine::tr("%1: expected exactly one of --keywords, --by-name, --by-type, --larger, "
                                          "--smaller, --before, --after, --width, --height, --by-date")
                              .arg(given)};
    }
    QStringList times;
    for (const QString& name : kTimeOptions) {
        if (parser.isSet(name)) {
            times.append(dashed(name));
        }
    }
    if (times.size() > 1) {
        return UsageError{CommandLine::tr("%1: expected only one of them").arg(times.join(u", "_s))};
    }
    for (const auto& [option, partners] : kDependentOptions) {
        QStringList dashedPartners;
        bool partnerGiven = false;
        for (const QString& partner : partners) {
            dashedPartners.append(dashed(partner));
            partnerGiven =
                partnerGiven || parser.isSet(partner) || (criteria.isEmpty() && savedPageOf(partner, request));
        }
        // A watch's --depth counts the levels of sub-folders it watches.
        const bool watchDepth = request.watchBatch && option == u"depth"_s;
        if (parser.isSet(option) && !partnerGiven && !watchDepth) {
            return UsageError{CommandLine::tr("%1: only with %2").arg(dashed(option), dashedPartners.join(u" or "_s))};
        }
    }
    if (parser.isSet(u"include"_s) && parser.isSet(u"exclude"_s)) {
        return UsageError{CommandLine::tr("--include, --exclude: expected only one of them")};
    }
    if ((parser.isSet(u"include"_s) || parser.isSet(u"exclude"_s)) &&
        (parser.isSet(u"width"_s) || parser.isSet(u"height"_s))) {
        return UsageError{CommandLine::tr("--include, --exclude: not with --width or --height; use --picture-types")};
    }
    if (!parser.isSet(u"out"_s) && !request.preset) {
        return UsageError{CommandLine::tr("--out: missing; expected the output folder")};
    }
    return std::nullopt;
}

// A text value whose bytes are valid UTF-8: the page fields hold text.
std::optional<QString> textValue(const QCommandLineParser& parser, const QString& option) {
    const QString value = parser.value(option);
    return IsValidUtf8(ArgumentBytes(value)) ? std::optional<QString>(value) : std::nullopt;
}

// --created, --taken or --modified: the time a date page compares.
void fillDateKind(const QCommandLineParser& parser, RunInputs& inputs) {
    if (parser.isSet(u"created"_s)) {
        inputs.date.kind = DateKind::CreationTime;
    } else if (parser.isSet(u"taken"_s)) {
        inputs.date.kind = DateKind::TakenTime;
    } else if (parser.isSet(u"modified"_s)) {
        inputs.date.kind = DateKind::ModificationTime;
    }
}

// --created or --modified: the time that names the folders of a page of folders by date.
void fillDateSource(const QCommandLineParser& parser, RunInputs& inputs) {
    if (parser.isSet(u"created"_s)) {
        inputs.dateFolders.source = DateSource::Created;
    } else if (parser.isSet(u"modified"_s)) {
        inputs.dateFolders.source = DateSource::Modified;
    }
}

// The page fields that the criterion option given sets, over inputs; with no criterion option, the options that
// change a page (--range, --taken, --created ...) change the saved sort's page when it is theirs.
std::optional<UsageError> fillCriterion(const QCommandLineParser& parser, RunInputs& inputs) {
    const bool criterionGiven = std::any_of(kCriterionOptions.begin(), kCriterionOptions.end(),
                                            [&](const QString& option) { return parser.isSet(option); });
    if (parser.isSet(u"keywords"_s)) {
        inputs.page = KeywordPage;
        const std::optional<QString> text = textValue(parser, u"keywords"_s);
        if (!text) {
            return expected(u"keywords"_s, CommandLine::tr("keywords in valid UTF-8"));
        }
        if (TrimBlanksAndControls(*text).isEmpty()) {
            return expected(u"keywords"_s, CommandLine::tr("one or more keywords separated by spaces"));
        }
        inputs.keywords = *text;
    } else if (parser.isSet(u"by-name"_s) || (!criterionGiven && inputs.page == NamePage)) {
        if (parser.isSet(u"by-name"_s)) {
            inputs.page = NamePage;
            inputs.name = {};
        }
        if (parser.isSet(u"range"_s)) {
            const std::optional<RangeValue> range = ParseRange(parser.value(u"range"_s));
            if (!range) {
                return expected(u"range"_s, CommandLine::tr("two whole numbers FROM-TO, such as 1-3"));
            }
            inputs.name.range = true;
            inputs.name.begin = range->begin;
            inputs.name.end = range->end;
        }
        if (parser.isSet(u"remove"_s)) {
            const std::optional<QString> filter = textValue(parser, u"remove"_s);
            if (!filter) {
                return expected(u"remove"_s, CommandLine::tr("text in UTF-8"));
            }
            inputs.name.filter = *filter;
        }
        inputs.name.onlyExisting = inputs.name.onlyExisting || parser.isSet(u"existing-folders-only"_s);
    } else if (parser.isSet(u"by-type"_s)) {
        inputs.page = TypePage;
    } else if (parser.isSet(u"larger"_s) || parser.isSet(u"smaller"_s)) {
        inputs.page = SizePage;
        const bool larger = parser.isSet(u"larger"_s);
        const QString option = larger ? u"larger"_s : u"smaller"_s;
        const std::optional<SizeValue> size = ParseSizeValue(parser.value(option));
        if (!size) {
            return expected(option, CommandLine::tr("a whole number followed by KB or MB, such as 100KB"));
        }
        inputs.size = {larger ? SizeCondition::Larger : SizeCondition::Smaller, size->number, size->unit};
    } else if (parser.isSet(u"before"_s) || parser.isSet(u"after"_s)) {
        inputs.page = DatePage;
        const bool before = parser.isSet(u"before"_s);
        const QString option = before ? u"before"_s : u"after"_s;
        const std::optional<MomentValue> moment = ParseMoment(parser.value(option));
        if (!moment) {
            return expected(option, CommandLine::tr("a date YYYY-MM-DD, optionally with a time HH:MM[:SS]"));
        }
        inputs.date = {DateKind::ModificationTime, before ? DateCondition::Earlier : DateCondition::Later, moment->date,
                       moment->time};
        fillDateKind(parser, inputs);
    } else if (!criterionGiven && inputs.page == DatePage) {
        fillDateKind(parser, inputs);
    } else if (parser.isSet(u"by-date"_s)) {
        inputs.page = DateFoldersPage;
        const std::optional<QString> pattern = textValue(parser, u"by-date"_s);
        if (!pattern) {
            return expected(u"by-date"_s, CommandLine::tr("a pattern in valid UTF-8"));
        }
        const std::variant<DatePattern, QString> parsed = DatePattern::parse(*pattern);
        if (const QString* why = std::get_if<QString>(&parsed)) {
            return UsageError{u"--by-date: "_s + *why};
        }
        inputs.dateFolders = {*pattern, DateSource::Taken};
        fillDateSource(parser, inputs);
    } else if (!criterionGiven && inputs.page == DateFoldersPage) {
        fillDateSource(parser, inputs);
    } else if (parser.isSet(u"width"_s) || parser.isSet(u"height"_s)) {
        inputs.page = ImagePage;
        const bool height = parser.isSet(u"height"_s);
        const std::optional<PixelValue> pixels = ParsePixelValue(parser.value(height ? u"height"_s : u"width"_s));
        if (!pixels) {
            return expected(height ? u"height"_s : u"width"_s,
                            CommandLine::tr(">=N, <=N or =N, N a whole number of pixels"));
        }
        inputs.image = {height ? ImageDimension::Height : ImageDimension::Width, pixels->condition, pixels->limit};
    }
    return std::nullopt;
}

std::optional<UsageError> fillFilter(const QCommandLineParser& parser, RunInputs& inputs) {
    ExtensionFilterState& filter = inputs.filter;
    if (parser.isSet(u"picture-types"_s)) {
        const std::optional<QList<PictureType>> types = ParsePictureTypes(parser.value(u"picture-types"_s));
        if (!types) {
            return expected(
                u"picture-types"_s,
                CommandLine::tr("a comma-separated list of jpg, bmp, gif, png, tif, webp, heic, heif, avif"));
        }
        filter.pictureTypes = *types;
    }
    for (const QString& option : {u"include"_s, u"exclude"_s}) {
        if (!parser.isSet(option)) {
            continue;
        }
        const std::optional<QString> text = textValue(parser, option);
        const std::optional<QStringList> entries = text ? ParseTypeList(*text) : std::nullopt;
        if (!entries) {
            return expected(option, CommandLine::tr("a comma-separated list of extensions, such as jpg,png"));
        }
        filter.typeList = *entries;
        filter.include = option == u"include"_s;
        filter.exclude = option == u"exclude"_s;
    }
    return std::nullopt;
}

// The output folder and the options of placing, over inputs.
std::optional<UsageError> fillPlacing(const QCommandLineParser& parser, RunInputs& inputs) {
    if (parser.isSet(u"out"_s)) {
        const QByteArray out = ArgumentBytes(parser.value(u"out"_s));
        const std::optional<QByteArray> absoluteOut = out.isEmpty() ? std::nullopt : AbsolutePath(out);
        if (!absoluteOut || !IsValidUtf8(*absoluteOut)) {
            return expected(u"out"_s, CommandLine::tr("a folder whose path is valid UTF-8"));
        }
        inputs.outputFolder = QString::fromUtf8(*absoluteOut);
    }
    // A saved sort made in the window may hold no output folder, or a relative one, which would name a folder
    // below wherever the command happens to run.
    if (!inputs.outputFolder.startsWith(u'/')) {
        return UsageError{CommandLine::tr("--out: missing; the saved sort holds no absolute output folder")};
    }
    if (Fs::NameTakenByNonFolder(QFile::encodeName(inputs.outputFolder))) {
        return expected(u"out"_s, CommandLine::tr("a folder, not a file"));
    }
    inputs.move = inputs.move || parser.isSet(u"move"_s);
    if (parser.isSet(u"on-conflict"_s)) {
        const std::optional<SameNamePolicy> policy = ParseSameNamePolicy(parser.value(u"on-conflict"_s));
        if (!policy) {
            return expected(u"on-conflict"_s, u"skip, overwrite, number or ask"_s);
        }
        inputs.policy = *policy;
    }
    inputs.skipIdentical = inputs.skipIdentical || parser.isSet(u"skip-identical"_s);
    return std::nullopt;
}

std::optional<UsageError> fillRun(const QCommandLineParser& parser, SortRequest& request) {
    request.dryRun = parser.isSet(u"dry-run"_s);
    request.journal = !parser.isSet(u"no-journal"_s);
    // A plan shows the questions as steps instead of asking them.
    if (request.inputs.policy == SameNamePolicy::Ask && !request.dryRun &&
        (parser.isSet(u"stdin"_s) || !::isatty(STDIN_FILENO))) {
        return UsageError{CommandLine::tr("--on-conflict ask: standard input must be a terminal for the questions")};
    }
    request.json = parser.isSet(u"json"_s);
    request.quiet = parser.isSet(u"quiet"_s);
    request.changesOnly = parser.isSet(u"changes-only"_s);
    return std::nullopt;
}

std::optional<UsageError> fillInputs(const QCommandLineParser& parser, SortRequest& request) {
    SortInputSources& inputs = request.sources;
    for (const QString& path : parser.positionalArguments()) {
        inputs.paths.append(ArgumentBytes(path));
    }
    for (const QString& file : parser.values(u"list"_s)) {
        inputs.listFiles.append(ArgumentBytes(file));
    }
    for (const QString& folder : parser.values(u"scan"_s)) {
        inputs.scanFolders.append(ArgumentBytes(folder));
    }
    if (parser.isSet(u"depth"_s)) {
        inputs.depth = ParseDepth(parser.value(u"depth"_s));
        if (!inputs.depth) {
            return expected(u"depth"_s, CommandLine::tr("a whole number of levels, 0 or more"));
        }
    }
    inputs.standardInput = parser.isSet(u"stdin"_s);
    inputs.nulSeparated = parser.isSet(u"null"_s);
    // A script whose file list came out empty names an empty folder or list and sorts nothing; no input at all is a
    // command left unfinished, which must not pass for a sort of nothing. Saving a sort needs no input, and a watch
    // finds its folders itself.
    if (inputs.isEmpty() && !request.savePreset && !request.watchBatch) {
        return UsageError{CommandLine::tr("no input files; give paths, --list, --scan or --stdin")};
    }
    return std::nullopt;
}

// The saved sort --preset names, and the name --save-preset gives.
std::optional<UsageError> fillPresets(const QCommandLineParser& parser, SortRequest& request) {
    if (parser.isSet(u"save-preset"_s)) {
        const QString name = parser.value(u"save-preset"_s);
        if (CheckPresetName(name) || !IsValidUtf8(ArgumentBytes(name))) {
            return UsageError{u"--save-preset: "_s + PresetNameRules()};
        }
        request.savePreset = name;
    }
    const QStringList names = parser.values(u"preset"_s);
    for (const QString& name : names) {
        if (names.count(name) > 1) {
            return UsageError{CommandLine::tr("--preset: the same saved sort given more than once")};
        }
        std::variant<RunInputs, PresetError> loaded = LoadPreset(name);
        if (const PresetError* error = std::get_if<PresetError>(&loaded)) {
            return UsageError{PresetErrorText(u"--preset"_s, name, *error)};
        }
        request.chain.append(RequestPreset{name, std::get<RunInputs>(std::move(loaded))});
    }
    if (!request.chain.isEmpty()) {
        request.preset = request.chain.first();
    }
    if (request.chain.size() == 1) {
        request.chain.clear();
    }
    return std::nullopt;
}

// A chain of saved sorts keeps each one's criterion and page: only the filter, the placing and the output folder
// may be given over them all.
std::optional<UsageError> checkChain(const QCommandLineParser& parser, const SortRequest& request) {
    if (request.chain.isEmpty()) {
        return std::nullopt;
    }
    QStringList refused = kCriterionOptions + kPageOptions;
    refused.append(u"save-preset"_s);
    for (const QString& option : refused) {
        if (parser.isSet(option)) {
            return UsageError{CommandLine::tr("%1: not with more than one --preset").arg(dashed(option))};
        }
    }
    return std::nullopt;
}

// Applies the filter and placing options given over each saved sort of a chain.
std::optional<UsageError> fillChain(const QCommandLineParser& parser, SortRequest& request) {
    for (RequestPreset& preset : request.chain) {
        for (const auto step : {fillFilter, fillPlacing}) {
            if (std::optional<UsageError> error = step(parser, preset.inputs)) {
                return error;
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::variant<SortRequest, UsageError> MakeSortRequest(const QCommandLineParser& parser, bool watchBatches) {
    SortRequest request;
    request.watchBatch = watchBatches;
    if (std::optional<UsageError> error = fillPresets(parser, request)) {
        return *error;
    }
    if (std::optional<UsageError> error = checkChain(parser, request)) {
        return *error;
    }
    if (std::optional<UsageError> error = checkCombination(parser, request)) {
        return *error;
    }
    if (request.preset) {
        request.inputs = request.preset->inputs;
    } else {
        request.inputs.filter.pictureTypes = PagePictureTypes();
    }
    using InputsStep = std::optional<UsageError> (*)(const QCommandLineParser&, RunInputs&);
    for (const InputsStep step : {fillCriterion, fillFilter, fillPlacing}) {
        if (std::optional<UsageError> error = step(parser, request.inputs)) {
            return *error;
        }
    }
    using RequestStep = std::optional<UsageError> (*)(const QCommandLineParser&, SortRequest&);
    for (const RequestStep step : {fillChain, fillRun, fillInputs}) {
        if (std::optional<UsageError> error = step(parser, request)) {
            return *error;
        }
    }
    return request;
}

bool SortInputSources::isEmpty() const {
    return paths.isEmpty() && listFiles.isEmpty() && scanFolders.isEmpty() && !standardInput;
}

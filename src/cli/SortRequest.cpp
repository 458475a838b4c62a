#include "cli/SortRequest.h"

#include "cli/ArgumentBytes.h"
#include "cli/CommandLineText.h"
#include "cli/InputPaths.h"
#include "cli/OptionValues.h"
#include "cli/SortOptionList.h"
#include "cli/Utf8Bytes.h"
#include "core/CriterionPage.h"
#include "core/FsEntries.h"
#include "core/TextBytes.h"
#include "engine/criteria/DatePattern.h"
#include "engine/criteria/PageChoiceTexts.h"

#include <QCommandLineParser>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList kCriterionOptions{u"keywords"_s, u"by-name"_s, u"by-type"_s, u"larger"_s, u"smaller"_s,
                                    u"before"_s,   u"after"_s,   u"width"_s,   u"height"_s, u"by-date"_s};
// Options of which at most one may be given: the time a date criterion uses.
const QStringList kTimeOptions{u"created"_s, u"taken"_s, u"modified"_s};
// Options that may be given more than once: every one adds inputs.
const QStringList kRepeatableOptions{u"list"_s, u"scan"_s};
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

// The option names and the combination rules, before any value is looked at.
std::optional<UsageError> checkCombination(const QCommandLineParser& parser, SortRequest& request) {
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
    if (criteria.size() != 1) {
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
            partnerGiven = partnerGiven || parser.isSet(partner);
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
    if (!parser.isSet(u"out"_s)) {
        return UsageError{CommandLine::tr("--out: missing; expected the output folder")};
    }
    return std::nullopt;
}

// A text value whose bytes are valid UTF-8: the page fields hold text.
std::optional<QString> textValue(const QCommandLineParser& parser, const QString& option) {
    const QString value = parser.value(option);
    return IsValidUtf8(ArgumentBytes(value)) ? std::optional<QString>(value) : std::nullopt;
}

std::optional<UsageError> fillCriterion(const QCommandLineParser& parser, SortRequest& request) {
    if (parser.isSet(u"keywords"_s)) {
        request.inputs.page = KeywordPage;
        const std::optional<QString> text = textValue(parser, u"keywords"_s);
        if (!text) {
            return expected(u"keywords"_s, CommandLine::tr("keywords in valid UTF-8"));
        }
        if (TrimBlanksAndControls(*text).isEmpty()) {
            return expected(u"keywords"_s, CommandLine::tr("one or more keywords separated by spaces"));
        }
        request.inputs.keywords = *text;
    } else if (parser.isSet(u"by-name"_s)) {
        request.inputs.page = NamePage;
        if (parser.isSet(u"range"_s)) {
            const std::optional<RangeValue> range = ParseRange(parser.value(u"range"_s));
            if (!range) {
                return expected(u"range"_s, CommandLine::tr("two whole numbers FROM-TO, such as 1-3"));
            }
            request.inputs.name.range = true;
            request.inputs.name.begin = range->begin;
            request.inputs.name.end = range->end;
        }
        if (parser.isSet(u"remove"_s)) {
            const std::optional<QString> filter = textValue(parser, u"remove"_s);
            if (!filter) {
                return expected(u"remove"_s, CommandLine::tr("text in UTF-8"));
            }
            request.inputs.name.filter = *filter;
        }
        request.inputs.name.onlyExisting = parser.isSet(u"existing-folders-only"_s);
    } else if (parser.isSet(u"by-type"_s)) {
        request.inputs.page = TypePage;
    } else if (parser.isSet(u"larger"_s) || parser.isSet(u"smaller"_s)) {
        request.inputs.page = SizePage;
        const bool larger = parser.isSet(u"larger"_s);
        const QString option = larger ? u"larger"_s : u"smaller"_s;
        const std::optional<SizeValue> size = ParseSizeValue(parser.value(option));
        if (!size) {
            return expected(option, CommandLine::tr("a whole number followed by KB or MB, such as 100KB"));
        }
        request.inputs.size = {larger ? SizeCondition::Larger : SizeCondition::Smaller, size->number, size->unit};
    } else if (parser.isSet(u"before"_s) || parser.isSet(u"after"_s)) {
        request.inputs.page = DatePage;
        const bool before = parser.isSet(u"before"_s);
        const QString option = before ? u"before"_s : u"after"_s;
        const std::optional<MomentValue> moment = ParseMoment(parser.value(option));
        if (!moment) {
            return expected(option, CommandLine::tr("a date YYYY-MM-DD, optionally with a time HH:MM[:SS]"));
        }
        const DateKind kind = parser.isSet(u"created"_s) ? DateKind::CreationTime
                              : parser.isSet(u"taken"_s) ? DateKind::TakenTime
                                                         : DateKind::ModificationTime;
        request.inputs.date = {kind, before ? DateCondition::Earlier : DateCondition::Later, moment->date,
                               moment->time};
    } else if (parser.isSet(u"by-date"_s)) {
        request.inputs.page = DateFoldersPage;
        const std::optional<QString> pattern = textValue(parser, u"by-date"_s);
        if (!pattern) {
            return expected(u"by-date"_s, CommandLine::tr("a pattern in valid UTF-8"));
        }
        const std::variant<DatePattern, QString> parsed = DatePattern::parse(*pattern);
        if (const QString* why = std::get_if<QString>(&parsed)) {
            return UsageError{u"--by-date: "_s + *why};
        }
        request.inputs.dateFolders = {*pattern, parser.isSet(u"created"_s)    ? DateSource::Created
                                                : parser.isSet(u"modified"_s) ? DateSource::Modified
                                                                              : DateSource::Taken};
    } else {
        request.inputs.page = ImagePage;
        const bool height = parser.isSet(u"height"_s);
        const std::optional<PixelValue> pixels = ParsePixelValue(parser.value(height ? u"height"_s : u"width"_s));
        if (!pixels) {
            return expected(height ? u"height"_s : u"width"_s,
                            CommandLine::tr(">=N, <=N or =N, N a whole number of pixels"));
        }
        request.inputs.image = {height ? ImageDimension::Height : ImageDimension::Width, pixels->condition,
                                pixels->limit};
    }
    return std::nullopt;
}

std::optional<UsageError> fillFilter(const QCommandLineParser& parser, SortRequest& request) {
    ExtensionFilterState& filter = request.inputs.filter;
    filter.pictureTypes = PagePictureTypes();
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
        (option == u"include"_s ? filter.include : filter.exclude) = true;
    }
    return std::nullopt;
}

std::optional<UsageError> fillRun(const QCommandLineParser& parser, SortRequest& request) {
    const QByteArray out = ArgumentBytes(parser.value(u"out"_s));
    const std::optional<QByteArray> absoluteOut = out.isEmpty() ? std::nullopt : AbsolutePath(out);
    if (!absoluteOut || !IsValidUtf8(*absoluteOut)) {
        return expected(u"out"_s, CommandLine::tr("a folder whose path is valid UTF-8"));
    }
    if (Fs::NameTakenByNonFolder(*absoluteOut)) {
        return expected(u"out"_s, CommandLine::tr("a folder, not a file"));
    }
    request.inputs.outputFolder = QString::fromUtf8(*absoluteOut);
    request.inputs.move = parser.isSet(u"move"_s);
    if (parser.isSet(u"on-conflict"_s)) {
        const std::optional<SameNamePolicy> policy = ParseSameNamePolicy(parser.value(u"on-conflict"_s));
        if (!policy) {
            return expected(u"on-conflict"_s, u"skip, overwrite, number or ask"_s);
        }
        request.inputs.policy = *policy;
    }
    request.inputs.skipIdentical = parser.isSet(u"skip-identical"_s);
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
    // command left unfinished, which must not pass for a sort of nothing.
    if (inputs.paths.isEmpty() && inputs.listFiles.isEmpty() && inputs.scanFolders.isEmpty() && !inputs.standardInput) {
        return UsageError{CommandLine::tr("no input files; give paths, --list, --scan or --stdin")};
    }
    return std::nullopt;
}

} // namespace

std::variant<SortRequest, UsageError> MakeSortRequest(const QCommandLineParser& parser, bool watchBatches) {
    using Step = std::optional<UsageError> (*)(const QCommandLineParser&, SortRequest&);
    SortRequest request;
    request.watchBatch = watchBatches;
    for (const Step step : {checkCombination, fillCriterion, fillFilter, fillRun, fillInputs}) {
        if (std::optional<UsageError> error = step(parser, request)) {
            return *error;
        }
    }
    return request;
}

#include "cli/PresetCommands.h"

#include "cli/CommandLineText.h"
#include "cli/CriterionCode.h"
#include "cli/EscapedText.h"
#include "cli/InputPaths.h"
#include "cli/PresetWords.h"
#include "cli/StandardStreams.h"
#include "presets/PresetStore.h"

#include <QFile>

using namespace Qt::StringLiterals;

int RunPresetsCommand() {
    int status = 0;
    for (const QString& name : PresetNames()) {
        const std::variant<RunInputs, PresetError> loaded = LoadPreset(name);
        if (const PresetError* error = std::get_if<PresetError>(&loaded)) {
            // The others are still listed; the status tells a script that one of them is broken.
            PrintErrorLine(PresetErrorText(u"presets"_s, name, *error));
            status = 2;
            continue;
        }
        const RunInputs& inputs = std::get<RunInputs>(loaded);
        WriteStandardOutput(EscapedText(name.toUtf8()) + '\t' + CriterionCode(inputs.page) + '\t' +
                            EscapedText(QFile::encodeName(inputs.outputFolder)) + '\n');
    }
    return status;
}

int SaveWatchedFolders(const QString& name, const QByteArrayList& folders) {
    QByteArrayList absolute;
    for (const QByteArray& folder : folders) {
        const std::optional<QByteArray> path = AbsolutePath(folder);
        if (!path) {
            PrintErrorLine(
                CommandLine::tr("%1: cannot tell where this folder is").arg(QString::fromUtf8(EscapedText(folder))));
            return 2;
        }
        absolute.append(*path);
    }
    if (const std::optional<PresetError> error = SaveWatchFolders(name, absolute)) {
        PrintErrorLine(PresetErrorText(u"--save"_s, name, *error));
        return error->kind == PresetError::Kind::File ? 1 : 2;
    }
    return 0;
}

std::optional<int> SaveRequestedPreset(const SortRequest& request) {
    if (!request.savePreset) {
        return std::nullopt;
    }
    if (const std::optional<PresetError> error = SavePreset(*request.savePreset, request.inputs)) {
        PrintErrorLine(PresetErrorText(u"--save-preset"_s, *request.savePreset, *error));
        return error->kind == PresetError::Kind::File ? 1 : 2;
    }
    return request.sources.isEmpty() ? std::optional(0) : std::nullopt;
}

#include "cli/PresetCommands.h"

#include "cli/CriterionCode.h"
#include "cli/EscapedText.h"
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

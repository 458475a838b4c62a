// The saved sorts' keys: any bytes as a saved sort's file. What loads saves and loads again unchanged.

#include "FuzzInput.h"
#include "presets/PresetKeys.h"
#include "settings/IniDocument.h"

#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::variant<RunInputs, PresetKeyFault> loaded = ReadPresetKeys(IniDocument(input.takeRest()));
    const RunInputs* inputs = std::get_if<RunInputs>(&loaded);
    if (!inputs) {
        return 0;
    }
    IniDocument saved;
    if (const std::optional<PresetKeyFault> fault = WritePresetKeys(*inputs, saved)) {
        // Only a carriage return inside a value, which a file can hold but a line cannot keep, is refused.
        FUZZ_CHECK(fault->kind == PresetKeyFault::Kind::Unkeepable && fault->value.contains('\r'));
        return 0;
    }
    const std::variant<RunInputs, PresetKeyFault> reloaded = ReadPresetKeys(saved);
    FUZZ_CHECK(std::holds_alternative<RunInputs>(reloaded) && std::get<RunInputs>(reloaded) == *inputs);
    return 0;
}

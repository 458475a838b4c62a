#include "journal/JournalCodes.h"

const char* PlacementCode(Transfer transfer, NameUse use) {
    switch (use) {
    case NameUse::Replace:
        return "replace";
    case NameUse::Number:
        return "number";
    case NameUse::Free:
        break;
    }
    return transfer == Transfer::Move ? "move" : "copy";
}

#include "journal/JournalCodes.h"

#include <array>
#include <utility>

namespace {

template <typename Value, std::size_t N>
QByteArray codeOf(const std::array<std::pair<Value, const char*>, N>& table, Value value) {
    for (const auto& [entry, code] : table) {
        if (entry == value) {
            return code;
        }
    }
    return {};
}

template <typename Value, std::size_t N>
std::optional<Value> valueOf(const std::array<std::pair<Value, const char*>, N>& table, QByteArrayView code) {
    for (const auto& [entry, word] : table) {
        if (code == word) {
            return entry;
        }
    }
    return std::nullopt;
}

constexpr std::array<std::pair<Transfer, const char*>, 2> kTransfers{{
    {Transfer::Copy, "copy"},
    {Transfer::Move, "move"},
}};

constexpr std::array<std::pair<NameUse, const char*>, 3> kNameUses{{
    {NameUse::Free, "free"},
    {NameUse::Replace, "replace"},
    {NameUse::Number, "number"},
}};

constexpr std::array<std::pair<SameNamePolicy, const char*>, 4> kPolicies{{
    {SameNamePolicy::Overwrite, "overwrite"},
    {SameNamePolicy::Ask, "ask"},
    {SameNamePolicy::Skip, "skip"},
    {SameNamePolicy::Rename, "number"},
}};

constexpr std::array<std::pair<KeptWhere, const char*>, 3> kKeptPlaces{{
    {KeptWhere::Trash, "trash"},
    {KeptWhere::BesideJournal, "beside"},
    {KeptWhere::NotKept, "identical"},
}};

} // namespace

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

QByteArray TransferCode(Transfer transfer) {
    return codeOf(kTransfers, transfer);
}
std::optional<Transfer> TransferFromCode(QByteArrayView code) {
    return valueOf(kTransfers, code);
}

QByteArray NameUseCode(NameUse use) {
    return codeOf(kNameUses, use);
}
std::optional<NameUse> NameUseFromCode(QByteArrayView code) {
    return valueOf(kNameUses, code);
}

QByteArray PolicyCode(SameNamePolicy policy) {
    return codeOf(kPolicies, policy);
}
std::optional<SameNamePolicy> PolicyFromCode(QByteArrayView code) {
    return valueOf(kPolicies, code);
}

QByteArray KeptWhereCode(KeptWhere where) {
    return codeOf(kKeptPlaces, where);
}
std::optional<KeptWhere> KeptWhereFromCode(QByteArrayView code) {
    return valueOf(kKeptPlaces, code);
}

#pragma once

#include "journal/CodeTable.h"
#include "journal/JournalRecords.h"

// The words a journal writes for its enumerations. Reading a word that is not one of them gives nothing, so the
// record that holds it counts as damaged.

inline constexpr CodeTable<Transfer, 2> kTransferCodes{{{Transfer::Copy, "copy"}, {Transfer::Move, "move"}}};

inline constexpr CodeTable<NameUse, 3> kNameUseCodes{
    {{NameUse::Free, "free"}, {NameUse::Replace, "replace"}, {NameUse::Number, "number"}}};

inline constexpr CodeTable<SameNamePolicy, 4> kPolicyCodes{{{SameNamePolicy::Overwrite, "overwrite"},
                                                            {SameNamePolicy::Ask, "ask"},
                                                            {SameNamePolicy::Skip, "skip"},
                                                            {SameNamePolicy::Rename, "number"}}};

inline constexpr CodeTable<KeptWhere, 3> kKeptWhereCodes{
    {{KeptWhere::Trash, "trash"}, {KeptWhere::BesideJournal, "beside"}, {KeptWhere::NotKept, "identical"}}};

#pragma once

#include "journal/JournalRecords.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The words a journal writes for its enumerations, and back. Reading a word that is not one of them gives nothing,
// so the record that holds it counts as damaged.

QByteArray TransferCode(Transfer transfer);
std::optional<Transfer> TransferFromCode(QByteArrayView code);

QByteArray NameUseCode(NameUse use);
std::optional<NameUse> NameUseFromCode(QByteArrayView code);

QByteArray PolicyCode(SameNamePolicy policy);
std::optional<SameNamePolicy> PolicyFromCode(QByteArrayView code);

QByteArray KeptWhereCode(KeptWhere where);
std::optional<KeptWhere> KeptWhereFromCode(QByteArrayView code);

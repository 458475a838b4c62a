#pragma once

#include "journal/JournalRecords.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

// A journal as far as it can be read. Reading is tolerant: a line that is torn (no line feed at the end of the
// file), damaged (its checksum does not match), of an unknown type, missing a field, or naming a step that no
// earlier record began is skipped and counted; every other record is used.
struct JournalContent {
    bool readable = false; // the first line is the header of a journal version this program reads
    qint64 version = 0;    // that version
    std::optional<RunHeader> run;
    QList<JournalStep> steps; // in the order they began
    std::optional<RunEnd> end;
    bool undoBegun = false; // an undo began and (undoEnded) went through to its end
    bool undoEnded = false;
    int damagedLines = 0;
};

JournalContent ParseJournal(QByteArrayView text);

// Reads the journal in the open file descriptor from its start; a file that cannot be read is not readable.
JournalContent ReadJournal(int descriptor);

// The fields common to several records, read from one: nothing when any is missing or malformed.
class JournalLineFields;
std::optional<FileIdentity> IdentityFields(const JournalLineFields& fields);
std::optional<RunEnd> EndFields(const JournalLineFields& fields);
std::optional<RunHeader> RunFields(const JournalLineFields& fields);
std::optional<ChainedSort> PresetFields(const JournalLineFields& fields);
// The version of a journal header this program reads (1 up to kJournalVersion), or nothing.
std::optional<qint64> JournalHeaderVersion(const JournalLineFields& fields);

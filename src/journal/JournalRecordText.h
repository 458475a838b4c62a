#pragma once

#include "journal/JournalRecords.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The text of each record the writer and the undo append to a journal (see docs/journal.md).

inline constexpr QByteArrayView kJournalHeaderType = "varnoth-journal";
// The version this program writes; it reads this one and every one before (see docs/journal.md).
inline constexpr qint64 kJournalVersion = 3;

QByteArray HeaderRecord();
QByteArray RunRecord(const RunHeader& header);
// One saved sort of a chained run: its name, page, mode, policy and output folder.
QByteArray PresetRecord(const ChainedSort& preset);
// The intent of step: its number, transfer, name use, source, target and the source as it is before.
QByteArray IntentRecord(const JournalStep& step);
QByteArray KeptRecord(int number, const KeptFile& kept);
QByteArray DoneRecord(int number, const FileIdentity& written);
QByteArray FailedRecord(int number);
// preset: the saved sort of a chained run that made the folder; nothing in a run that is not chained.
QByteArray FolderRecord(int number, const QByteArray& folder, const FileIdentity& made,
                        const std::optional<QByteArray>& preset = std::nullopt);
QByteArray EndRecord(const RunEnd& end);

QByteArray UndoBeginRecord(qint64 timeNs);
QByteArray UndoStepRecord(int number);
QByteArray UndoneRecord(int number);
QByteArray NotUndoneRecord(int number, QByteArrayView reasonCode);
// What the undo of step number put back at path, with its identity once there.
QByteArray RestoredRecord(int number, const QByteArray& path, const FileIdentity& identity);
// The end of an undo, with the run's own end (when it had one) repeated, so that the last record of an undone
// journal tells all that a history needs.
// undone counts files, folders the folders removed, remaining the steps left.
QByteArray UndoEndRecord(const std::optional<RunEnd>& runEnd, int undone, int folders, int remaining);

#pragma once

#include "journal/FileIdentity.h"
#include "journal/JournalRecords.h"

#include <QByteArray>
#include <QHash>
#include <QList>

// What undos put back, as their journals record it: a file put back at a path has an identity of its own (a copy
// brought back is a new file; a replacement by the same bytes keeps the new file, with the old one's time), which
// stands for the original that stood there. An undo of an earlier run that finds such an identity finds the file as
// that run left it.
class RestoredFiles {
public:
    // Takes in the restorations step records.
    void note(const JournalStep& step);
    // At path, restored now stands for original.
    void add(const QByteArray& path, const FileIdentity& original, const FileIdentity& restored);
    // True when now is original itself, or stands for it at path through one or more restorations.
    bool standsFor(const QByteArray& path, const FileIdentity& now, const FileIdentity& original) const;

private:
    QHash<QByteArray, QList<FileIdentity>> m_restored; // by path and original
};

// The original that what step put back at path stands for: the source as the step found it, or the replaced file.
std::optional<FileIdentity> OriginalAt(const JournalStep& step, const QByteArray& path);

#pragma once

#include "journal/JournalReader.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>

#include <optional>

// Where an undo of a run may act, decided from its journal alone, without a single file-system call, so that no
// journal, damaged or forged, leads undo outside the run's output folder.
//
// A journal that records its output folder confines undo to it. One of the first version, which did not, is
// confined to the deepest folder that holds all of its folders and targets. Every target must lie below that folder
// (a folder the run made may be the folder itself), with no ".." level on the way; a file that a replacement put
// aside must be in a trash's files/ folder or in the folder beside the journal, under a name of its own.
//
// A chained run, which applied several saved sorts, records each one's output folder: each step must then name one
// of them and lie below that one's output folder. Undo walks from the deepest folder that holds them all.
class UndoScope {
public:
    // keptFolder: the folder beside the journal that holds the files no trash could take.
    UndoScope(const JournalContent& content, QByteArray keptFolder);

    // The folder undo is confined to, as the journal spells it (levels joined by '/', starting with '/').
    const QByteArray& root() const { return m_rootPath; }
    // True when the journal did not record its output folder, so that the folder was inferred from its paths.
    bool inferred() const { return m_inferred; }

    // The levels of path below root ('/'-joined, empty for root itself), or nothing when path is not root or below
    // it, or a level below root is "..".
    std::optional<QByteArray> below(const QByteArray& path) const;

    // True when undo may act on step at all: its target (or the folder it made) lies below root (in a chained run:
    // below the output folder of the saved sort it names), and a replaced file it kept is in a trash or beside the
    // journal, as the run would have put it.
    bool admits(const JournalStep& step) const;

private:
    // In a chained run: the levels below the root of each saved sort's output folder, by its name.
    bool withinItsPreset(const JournalStep& step) const;

    QByteArrayList m_root;                         // the levels of the root
    QHash<QByteArray, QByteArray> m_presetFolders; // chained run: each saved sort's output folder below the root
    QByteArray m_rootPath;
    QByteArray m_keptFolder;
    bool m_inferred = false;
};

// The levels of an absolute path: empty and "." levels dropped, ".." kept as it is. Nothing for a relative path.
std::optional<QByteArrayList> PathLevels(const QByteArray& path);

#pragma once

#include "journal/RunJournal.h"

#include <QByteArray>
#include <QByteArrayList>

#include <functional>

// Random file operations of the kinds a sort run makes, journaled through RunJournal exactly where the run's
// placement does: copies, moves by rename, moves across file systems (copy, flush, delete), replacements whose
// old file goes to the trash, auto-numbered names and folders made, over names shared by several folders, names
// already taken in the output and names that are not valid UTF-8.

struct DrivenTree {
    QByteArray sources;      // the files to place, in a few folders
    QByteArray output;       // the output folder, with some files already there
    QByteArray otherSources; // more files to place on another file system; empty when there is none
};

// Makes the tree's folders and fills them with files chosen by seed; returns the files to place in list order.
QByteArrayList MakeDrivenTree(const DrivenTree& tree, quint32 seed);

// Places each file of list into one to three random folders under tree.output with a random same-name policy
// (skip, replace, number) and, in move mode, moves it at its last placement. checkpoint is called between every
// two steps on the disk, so that a test can stop the run anywhere.
void DriveRun(
    RunJournal& journal, const DrivenTree& tree, const QByteArrayList& list, quint32 seed, bool move,
    const std::function<void()>& checkpoint = [] {});

#pragma once

#include "journal/JournalFolder.h"
#include "journal/JournalRecords.h"
#include "journal/RunJournal.h"

#include <QByteArray>
#include <QTemporaryDir>

// A home of the test's own: XDG_STATE_HOME and XDG_DATA_HOME point into a temporary folder, so that no test
// touches the user's journals or trash.
class JournalTestHome {
public:
    JournalTestHome();
    ~JournalTestHome();
    QByteArray root() const;
    QByteArray trash() const { return root() + "/data/Trash"; }
    JournalFolder journals() const { return JournalFolder::standard(); }

private:
    QTemporaryDir m_dir;
};

// The mount point of a fresh tmpfs in a mount namespace of this process's own (and its children's), so that tests
// can cross file systems without touching any real one; empty where the system refuses (not root, or in a chroot,
// whose root is no mount point that could be made private). Call it at the start of main, before any thread starts.
QByteArray MountSecondFileSystem();

// RunJournal::keepReplaced for the file at target, its folder opened as named, as the run's placement has it.
KeepResult KeepReplaced(RunJournal& journal, int step, const QByteArray& target, const QByteArray& incoming);

// The path of this test program, to start it again as a child. It is read before MountSecondFileSystem leaves the
// process's mount namespace: in a chroot, /proc/self/exe then names the program as seen from outside the chroot.
QString ThisTestProgram();

// The run header the tests journal with.
RunHeader TestRunHeader(bool move);

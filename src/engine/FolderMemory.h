#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>

#include <sys/types.h>

// What a sort run remembers about the folders it places files into, so that each fact is learnt once per run.
class FolderMemory {
public:
    // The first time a run places into folder: removes the temporary files that ended processes of ours left there.
    void tidyOnce(const QByteArray& folder);

    // The device (file system) that folder lies on, 0 when it cannot be found.
    dev_t deviceOf(const QByteArray& folder);

    // Auto-numbering of name in folder: the number to try first (0 stands for the name itself), and the number
    // after the one just given to a file. The disk stays the judge of what is free; this only saves asking it
    // again about the numbers already taken, so that n files of one name cost n steps, not n² / 2.
    qint64 nextNumber(const QByteArray& folder, const QByteArray& name) const;
    void rememberTaken(const QByteArray& folder, const QByteArray& name, qint64 number);

private:
    QSet<QByteArray> m_tidied;
    QHash<QByteArray, dev_t> m_devices;
    QHash<QByteArray, qint64> m_nextNumbers; // by folder, NUL, name (no path holds a NUL)
};

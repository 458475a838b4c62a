#pragma once

#include "core/FsDescriptor.h"
#include "core/FsError.h"

#include <QByteArray>

// Appends whole records to an open journal. Each record goes to the kernel in one write, so a killed process
// loses none, except a deferred one: it waits in memory and goes out in the same write as the next record (or at
// sync() or destruction), so that a record of completion costs no write of its own. A write that fails part-way leaves
// a torn line, which the reader skips; the next record then starts on a line of its own. The first failure is kept.
class JournalAppender {
public:
    // Appends to descriptor (opened with O_APPEND); when the file ends in a torn line, the first record starts on
    // a new line.
    explicit JournalAppender(Fs::Descriptor descriptor);
    JournalAppender(JournalAppender&&) = default;
    // Writes a deferred record.
    ~JournalAppender();

    void append(const QByteArray& record);
    void defer(const QByteArray& record);
    // Writes what was deferred, in one write.
    void writeDeferred();
    // Flushes what was written to the disk; the first failure of any write or flush so far.
    Fs::Error sync();
    Fs::Error error() const { return m_error; }
    int descriptor() const { return m_file.get(); }

private:
    // Keeps error unless an earlier failure is kept.
    void fail(const Fs::Error& error);
    Fs::Descriptor m_file;
    Fs::Error m_error;
    bool m_lineCut = false;
    QByteArray m_deferred;
};

#pragma once

#include <QByteArray>

#include <sys/stat.h>

// A file opened for reading to be measured, and closed again when this goes out of scope. Only a regular file
// (a symbolic link is followed) stays open: a folder, FIFO, socket or device, or a file that cannot be opened for
// reading, leaves it closed. Opening never blocks and never makes a terminal the controlling one.
class RegularFile {
public:
    explicit RegularFile(const QByteArray& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return m_descriptor >= 0; }
    int descriptor() const { return m_descriptor; }
    // The status of the open file; valid only while isOpen().
    const struct stat& status() const { return m_status; }

private:
    int m_descriptor = -1;
    struct stat m_status {};
};

// The status of the regular file at path as its directory entry gives it, without opening the file, so that a file
// that cannot be opened can still be looked up. False for anything other than a regular file (links followed).
bool LookUpRegularFile(const QByteArray& path, struct stat& status);

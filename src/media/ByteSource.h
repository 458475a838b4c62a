#pragma once

#include "core/FsRegularFile.h"

#include <QByteArrayView>
#include <QtGlobal>

#include <span>

// Bytes read at any offset, from an open file or from memory, so that a reader of a file's structure runs the same
// on a file and on the bytes a fuzz target hands it.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    virtual qint64 size() const = 0;
    // Reads up to into.size() bytes at offset into into: the number read, fewer at the end, 0 past the end or on a
    // read error.
    virtual qint64 readAt(qint64 offset, std::span<char> into) const = 0;

    // Reads exactly into.size() bytes at offset; false when fewer are there.
    bool readExactly(qint64 offset, std::span<char> into) const;
};

// The bytes of an open file, read with pread: the file's position is never moved and the file never closed here.
class FileBytes final : public ByteSource {
public:
    FileBytes(int descriptor, qint64 size) : m_descriptor(descriptor), m_size(size) {}
    // The open file, at the size it had when it was opened.
    explicit FileBytes(const Fs::RegularFile& file) : FileBytes(file.descriptor(), file.status().st_size) {}

    qint64 size() const override { return m_size; }
    qint64 readAt(qint64 offset, std::span<char> into) const override;

private:
    int m_descriptor;
    qint64 m_size;
};

// Bytes in memory, which must outlive this.
class MemoryBytes final : public ByteSource {
public:
    explicit MemoryBytes(QByteArrayView bytes) : m_bytes(bytes) {}

    qint64 size() const override { return m_bytes.size(); }
    qint64 readAt(qint64 offset, std::span<char> into) const override;

private:
    QByteArrayView m_bytes;
};

#pragma once

#include "media/ByteSource.h"

#include <exiv2/basicio.hpp>

#include <QByteArray>

// Exiv2's input over a file this program opened, read only, so that Exiv2 never opens a file by its name. Reads go
// through a buffer, and no more than a fixed budget of bytes is read in all: a damaged or hostile file that sends
// Exiv2 looking through gigabytes (a JPEG start followed by no marker) ends, as at the end of the file. A whole-file
// view, which Exiv2 asks for TIFF-based formats, maps the file read only: only the pages it looks at are read.
class DescriptorIo final : public Exiv2::BasicIo {
public:
    explicit DescriptorIo(const Fs::RegularFile& file);
    ~DescriptorIo() override;

    int open() override;
    int close() override;
    long write(const Exiv2::byte* data, long count) override;
    long write(Exiv2::BasicIo& source) override;
    int putb(Exiv2::byte data) override;
    Exiv2::DataBuf read(long count) override;
    long read(Exiv2::byte* into, long count) override;
    int getb() override;
    void transfer(Exiv2::BasicIo& source) override;
    int seek(long offset, Position from) override;
    Exiv2::byte* mmap(bool writable) override;
    int munmap() override;
    long tell() const override { return long(m_position); }
    size_t size() const override { return size_t(m_file.size()); }
    bool isopen() const override { return true; }
    int error() const override { return 0; }
    bool eof() const override { return m_eof; }
    std::string path() const override;

private:
    // Reads up to count bytes at offset from the file, as far as the budget allows, and charges them to it.
    qint64 readFromFile(qint64 offset, char* into, qint64 count);
    // Reads up to count bytes at the position without moving it: from the buffer where it holds the position,
    // straight from the file for a large read, and otherwise after filling the buffer there. 0 at the end.
    qint64 readSome(char* into, qint64 count);

    int m_descriptor;
    FileBytes m_file;
    qint64 m_position = 0;
    qint64 m_budget;
    bool m_eof = false;
    QByteArray m_buffer;
    qint64 m_bufferStart = 0;
    void* m_mapping = nullptr;
};

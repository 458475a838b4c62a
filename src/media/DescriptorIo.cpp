#include "media/DescriptorIo.h"

#include <exiv2/error.hpp>

#include <algorithm>
#include <cstring>
#include <sys/mman.h>

namespace {

// The headers Exiv2 reads lie in the first kilobytes of a picture, or are found by seeking; 32 MiB read from the
// file is far more than any real file's metadata needs.
constexpr qint64 kReadBudget = 32 << 20;
constexpr qint64 kBufferSize = 64 << 10;

} // namespace

DescriptorIo::DescriptorIo(const Fs::RegularFile& file)
    : m_descriptor(file.descriptor()), m_file(file), m_budget(kReadBudget) {}

DescriptorIo::~DescriptorIo() {
    munmap();
}

int DescriptorIo::open() {
    m_position = 0;
    m_eof = false;
    return 0;
}

int DescriptorIo::close() {
    return munmap();
}

long DescriptorIo::write(const Exiv2::byte*, long) {
    return 0;
}

long DescriptorIo::write(Exiv2::BasicIo&) {
    return 0;
}

int DescriptorIo::putb(Exiv2::byte) {
    return EOF;
}

void DescriptorIo::transfer(Exiv2::BasicIo&) {
    throw Exiv2::Error(Exiv2::kerFunctionNotSupported, "DescriptorIo::transfer");
}

qint64 DescriptorIo::readFromFile(qint64 offset, char* into, qint64 count) {
    const qint64 got = m_file.readAt(offset, std::span(into, size_t(std::min(count, m_budget))));
    m_budget -= got;
    return got;
}

qint64 DescriptorIo::readSome(char* into, qint64 count) {
    if (count >= kBufferSize) {
        return readFromFile(m_position, into, count);
    }
    if (m_position < m_bufferStart || m_position >= m_bufferStart + m_buffer.size()) {
        m_buffer.resize(kBufferSize);
        m_bufferStart = m_position;
        m_buffer.resize(readFromFile(m_position, m_buffer.data(), m_buffer.size()));
    }
    const qint64 part = std::min(count, m_bufferStart + m_buffer.size() - m_position);
    std::memcpy(into, m_buffer.constData() + (m_position - m_bufferStart), size_t(std::max<qint64>(part, 0)));
    return part;
}

Exiv2::DataBuf DescriptorIo::read(long count) {
    // The buffer is no larger than what is there to be read, however large a size a damaged file claims.
    Exiv2::DataBuf data(long(std::clamp<qint64>(count, 0, m_file.size() - m_position)));
    data.size_ = read(data.pData_, data.size_);
    return data;
}

long DescriptorIo::read(Exiv2::byte* into, long count) {
    qint64 done = 0;
    while (done < count) {
        const qint64 got = readSome(reinterpret_cast<char*>(into) + done, count - done);
        if (got <= 0) {
            break;
        }
        done += got;
        m_position += got;
    }
    m_eof = done < count;
    return long(done);
}

int DescriptorIo::getb() {
    Exiv2::byte byte = 0;
    return read(&byte, 1) == 1 ? byte : EOF;
}

int DescriptorIo::seek(long offset, Position from) {
    const qint64 base = from == beg ? 0 : from == cur ? m_position : m_file.size();
    const qint64 target = base + offset;
    if (target < 0) {
        return 1;
    }
    if (target > m_file.size()) {
        m_eof = true;
        return 1;
    }
    m_position = target;
    m_eof = false;
    return 0;
}

Exiv2::byte* DescriptorIo::mmap(bool writable) {
    if (writable) {
        throw Exiv2::Error(Exiv2::kerFunctionNotSupported, "DescriptorIo::mmap");
    }
    if (m_mapping == nullptr && m_file.size() > 0) {
        void* mapping = ::mmap(nullptr, size_t(m_file.size()), PROT_READ, MAP_PRIVATE, m_descriptor, 0);
        if (mapping == MAP_FAILED) {
            throw Exiv2::Error(Exiv2::kerCallFailed, path(), std::strerror(errno), "mmap");
        }
        m_mapping = mapping;
    }
    return static_cast<Exiv2::byte*>(m_mapping);
}

int DescriptorIo::munmap() {
    if (m_mapping != nullptr) {
        ::munmap(m_mapping, size_t(m_file.size()));
        m_mapping = nullptr;
    }
    return 0;
}

std::string DescriptorIo::path() const {
    return "open file";
}

#include "media/HeifFile.h"

#include <libheif/heif.h>

#include <algorithm>

#include "media/ByteSource.h"

// What libheif reads through: the file, the position and what is left of the budget.
struct HeifInput {
    FileBytes file;
    qint64 position = 0;
    qint64 budget;
};

namespace {

// libheif 1.15 reads the structure (the meta box: item list, properties, locations) and, when it reads a file, the
// primary image's coded data too, though nothing is decoded: about 4 MB for a 12-megapixel HEIC, some 20 MB for the
// largest cameras'. 128 MiB is more than any real file needs and bounds what a damaged one costs.
constexpr qint64 kReadBudget = 128 << 20;
constexpr size_t kMaxExifBlock = 4 << 20;

HeifInput& InputOf(void* userdata) {
    return *static_cast<HeifInput*>(userdata);
}

int64_t Position(void* userdata) {
    return InputOf(userdata).position;
}

int Read(void* into, size_t size, void* userdata) {
    HeifInput& input = InputOf(userdata);
    if (qint64(size) > input.budget) {
        return 1;
    }
    input.budget -= qint64(size);
    if (!input.file.readExactly(input.position, std::span(static_cast<char*>(into), size))) {
        return 1;
    }
    input.position += qint64(size);
    return 0;
}

int Seek(int64_t position, void* userdata) {
    HeifInput& input = InputOf(userdata);
    if (position < 0 || position > input.file.size()) {
        return 1;
    }
    input.position = position;
    return 0;
}

heif_reader_grow_status WaitForFileSize(int64_t size, void* userdata) {
    return size <= InputOf(userdata).file.size() ? heif_reader_grow_status_size_reached
                                                 : heif_reader_grow_status_size_beyond_eof;
}

constexpr heif_reader kReader{1, Position, Read, Seek, WaitForFileSize};

} // namespace

HeifFile::HeifFile(const Fs::RegularFile& file)
    : m_input(new HeifInput{FileBytes(file), 0, kReadBudget}), m_context(heif_context_alloc()) {
    if (m_context != nullptr &&
        heif_context_read_from_reader(m_context, &kReader, m_input.get(), nullptr).code == heif_error_Ok) {
        heif_context_get_primary_image_handle(m_context, &m_primary);
    }
}

HeifFile::~HeifFile() {
    if (m_primary != nullptr) {
        heif_image_handle_release(m_primary);
    }
    if (m_context != nullptr) {
        heif_context_free(m_context);
    }
}

QSize HeifFile::displayedSize() const {
    if (m_primary == nullptr) {
        return {};
    }
    // The handle's width and height are those of the image as shown: libheif applies the rotation, mirroring and
    // clean aperture of its transformation properties to the size the ispe property gives.
    return {heif_image_handle_get_width(m_primary), heif_image_handle_get_height(m_primary)};
}

QByteArray HeifFile::exifBlock() const {
    heif_item_id id = 0;
    if (m_primary == nullptr || heif_image_handle_get_list_of_metadata_block_IDs(m_primary, "Exif", &id, 1) != 1) {
        return {};
    }
    const size_t size = heif_image_handle_get_metadata_size(m_primary, id);
    if (size == 0 || size > kMaxExifBlock) {
        return {};
    }
    QByteArray block(qsizetype(size), Qt::Uninitialized);
    if (heif_image_handle_get_metadata(m_primary, id, block.data()).code != heif_error_Ok) {
        return {};
    }
    return block;
}

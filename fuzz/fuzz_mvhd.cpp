// A movie's creation time from the boxes of any file: the container is told apart and the mvhd box read without a
// crash, with a bounded number of reads however large the file claims to be, and a date read back is a valid one.
// The input is a file of any size: 8 bytes give the length of a hole of zeros (up to 1 TB) between a head and a
// tail, 2 bytes the head's length, and the rest is the head and then the tail, so that a movie box can lie after
// gigabytes of media data.

#include "FuzzInput.h"
#include "media/ByteSource.h"
#include "media/MediaContainer.h"
#include "media/MovieHeader.h"

#include <algorithm>
#include <cstring>

namespace {

// A reader of real files looks at a few boxes; this is far more than the reader's own bounds allow.
constexpr int kMaxReads = 4096;

// head, then hole zeros, then tail; counting the reads.
class HoleyBytes final : public ByteSource {
public:
    HoleyBytes(QByteArray head, qint64 hole, QByteArray tail)
        : m_head(std::move(head)), m_hole(hole), m_tail(std::move(tail)) {}

    qint64 size() const override { return m_head.size() + m_hole + m_tail.size(); }
    qint64 readAt(qint64 offset, std::span<char> into) const override {
        ++m_reads;
        const qint64 count = std::clamp<qint64>(size() - offset, 0, qint64(into.size()));
        for (qint64 i = 0; i < count; ++i) {
            const qint64 at = offset + i;
            const qint64 inTail = at - m_head.size() - m_hole;
            into[size_t(i)] = at < m_head.size() ? m_head[at] : inTail >= 0 ? m_tail[inTail] : '\0';
        }
        return count;
    }
    int reads() const { return m_reads; }

private:
    QByteArray m_head;
    qint64 m_hole;
    QByteArray m_tail;
    mutable int m_reads = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const qint64 hole = input.takeInteger() & ((qint64(1) << 40) - 1);
    const int headLength = input.takeByte() << 8 | input.takeByte();
    const QByteArray rest = input.takeRest();
    const HoleyBytes bytes(rest.left(headLength), hole, rest.mid(headLength));

    const MediaContainer container = ContainerOf(bytes);
    const TakenDate taken = MovieTakenDate(bytes);
    FUZZ_CHECK(bytes.reads() <= kMaxReads);

    FUZZ_CHECK(taken.kind() == TakenDate::Kind::None || taken.kind() == TakenDate::Kind::Utc);
    if (taken.exists()) {
        // A creation time lies between 1904 and the year 9999, and only a file with a movie header has one.
        FUZZ_CHECK(taken.moment().isValid() && taken.moment().date().year() >= 1904 &&
                   taken.moment().date().year() <= 9999);
        FUZZ_CHECK(taken.date().isValid() && taken.time().isValid());
        FUZZ_CHECK(rest.contains("moov") && rest.contains("mvhd"));
    }
    // Reading again gives the same.
    FUZZ_CHECK(ContainerOf(bytes) == container);
    FUZZ_CHECK(MovieTakenDate(bytes).moment() == taken.moment());
    return 0;
}

#include "media/MovieHeader.h"

#include "media/IsoBmffBoxes.h"

#include <array>

namespace {

// Real files have a handful of top-level boxes and a few before mvhd within moov; more is a damaged or hostile file.
constexpr int kMaxTopLevelBoxes = 1024;
constexpr int kMaxMovieBoxes = 256;

// The latest time taken: 9999-12-31 23:59:59 UTC, in seconds since 1904.
constexpr quint64 kLatestSeconds = 255'485'145'599;

} // namespace

TakenDate MovieTakenDate(const ByteSource& bytes) {
    const std::optional<BoxHeader> movie = FindBox(bytes, 0, bytes.size(), FourCc("moov"), kMaxTopLevelBoxes);
    if (!movie) {
        return {};
    }
    const std::optional<BoxHeader> header =
        FindBox(bytes, movie->contentStart, movie->end, FourCc("mvhd"), kMaxMovieBoxes);
    // Version and flags, then the creation time: 4 bytes in version 0, 8 bytes in version 1.
    std::array<char, 12> start{};
    if (!header || header->end - header->contentStart < qint64(start.size()) ||
        !bytes.readExactly(header->contentStart, start)) {
        return {};
    }
    const QByteArrayView view(start.data(), qsizetype(start.size()));
    const quint8 version = quint8(view[0]);
    if (version > 1) {
        return {};
    }
    const quint64 seconds = BigEndianNumber(version == 0 ? view.sliced(4, 4) : view.sliced(4, 8));
    if (seconds == 0 || seconds > kLatestSeconds) {
        return {};
    }
    const QDateTime moment = QDateTime(QDate(1904, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(seconds));
    return TakenDate::utc(moment.date(), moment.time());
}

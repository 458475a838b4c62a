// The taken date through Exiv2 from any bytes, in three ways chosen by the first byte: the rest as a picture in
// memory (JPEG, TIFF, PNG, WebP, raw), as a HEIF EXIF block (an offset, then the TIFF structure), or as the two EXIF
// texts of a date and its offset. None crashes, a date read back is a valid one with an offset within ±14 hours,
// and a date read from the texts is the text itself.

#include "FuzzInput.h"
#include "media/ExifDateText.h"
#include "media/ExifTakenDate.h"
#include "media/HeifExifBlock.h"
#include "media/IsoBmffBoxes.h"

#include <cstdlib>

namespace {

void checkDate(const TakenDate& taken) {
    if (!taken.exists()) {
        FUZZ_CHECK(!taken.moment().isValid() && !taken.date().isValid());
        return;
    }
    FUZZ_CHECK(taken.kind() == TakenDate::Kind::AsWritten || taken.kind() == TakenDate::Kind::WithOffset);
    FUZZ_CHECK(taken.date().isValid() && taken.time().isValid() && taken.moment().isValid());
    FUZZ_CHECK(taken.date().year() >= 1 && taken.date().year() <= 9999);
    FUZZ_CHECK(std::abs(taken.offsetSeconds()) <= 14 * 3600);
    FUZZ_CHECK(taken.kind() == TakenDate::Kind::WithOffset || taken.offsetSeconds() == 0);
}

// The date and time text as EXIF writes it, "YYYY:MM:DD HH:MM:SS".
QByteArray exifText(const TakenDate& taken) {
    return (taken.date().toString(u"yyyy:MM:dd") + u' ' + taken.time().toString(u"HH:mm:ss")).toLatin1();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const quint8 way = input.takeByte() % 3;
    if (way == 0) {
        const QByteArray picture = input.takeRest();
        checkDate(ExifTakenDateOfBytes(picture));
    } else if (way == 1) {
        const QByteArray block = input.takeRest();
        const std::optional<QByteArrayView> tiff = TiffOfHeifExifBlock(block);
        if (tiff) {
            // The TIFF structure is the block's end, from where its offset says.
            FUZZ_CHECK(!tiff->isEmpty() && tiff->data() + tiff->size() == block.constData() + block.size());
            FUZZ_CHECK(quint64(tiff->data() - block.constData()) ==
                       4 + BigEndianNumber(QByteArrayView(block).first(4)));
            checkDate(ExifTakenDateOfTiff(*tiff));
        }
    } else {
        const QByteArray dateTime = input.takePiece();
        const QByteArray offset = input.takeRest();
        const TakenDate taken = TakenDateOfExifTexts(dateTime, offset);
        checkDate(taken);
        if (taken.exists()) {
            QByteArray written = dateTime;
            while (written.endsWith(' ') || written.endsWith('\0')) {
                written.chop(1);
            }
            FUZZ_CHECK(exifText(taken) == written);
        }
    }
    return 0;
}

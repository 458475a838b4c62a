// The date pattern of the folders-by-date page, from the settings file or the command line: a pattern it accepts
// names folders inside the output folder for every date, one level per '/', each a name a folder can have.

#include "FuzzInput.h"
#include "engine/criteria/DatePattern.h"

// Input: a day number (8 bytes, taken as days from 1 January 2000 within ±4 million days), then the pattern as UTF-8.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QDate date = QDate(2000, 1, 1).addDays(input.takeInteger() % 4000000);
    const QString text = QString::fromUtf8(input.takeRest());

    const std::variant<DatePattern, QString> parsed = DatePattern::parse(text);
    if (const QString* why = std::get_if<QString>(&parsed)) {
        FUZZ_CHECK(!why->isEmpty());
        return 0;
    }
    const std::optional<QString> folder = std::get<DatePattern>(parsed).folderFor(date);
    FUZZ_CHECK(folder.has_value() == (date.year() >= 1 && date.year() <= 9999));
    if (!folder) {
        return 0;
    }
    FUZZ_CHECK(!folder->contains(QChar(0)));
    for (const QString& level : folder->split(u'/')) {
        FUZZ_CHECK(!level.isEmpty() && level != u"." && level != u"..");
        FUZZ_CHECK(level.toUtf8().size() <= 255);
    }
    return 0;
}

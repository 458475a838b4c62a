#pragma once

#include "engine/criteria/ImageProbe.h"

#include <QDate>
#include <QString>
#include <QTime>

// The fields of the criterion pages as a run reads them. A choice from a drop-down list whose folder names come from
// its items (PageChoiceTexts) has an Unselected value: the window's list may have no item selected, and such a run
// still goes ahead, with a folder name that holds no text for the choice.

// Page 1, file name.
struct NamePageFields {
    bool operator==(const NamePageFields&) const = default;
    bool range = false;        // only a range of characters of each name counts
    QString begin;             // the range's first position, as typed
    QString end;               // the range's last position, as typed
    QString filter;            // pieces between asterisks, cut out of each name
    bool onlyExisting = false; // only into folders that exist already
};

// Page 3, file size: the comparison and its unit.
enum class SizeCondition {
    Larger,
    Smaller,
    Unselected, // compares as Smaller; names no condition
};
enum class SizeUnit {
    KB,
    MB,
    Unselected, // counts in KB; names no unit
};

struct SizePageFields {
    bool operator==(const SizePageFields&) const = default;
    SizeCondition condition = SizeCondition::Larger;
    QString size; // a whole number, as typed
    SizeUnit unit = SizeUnit::KB;
};

// Page 4, file date: which time of a file is compared, and how. The taken time is the one a picture or video
// records of itself, with the modification time where it records none.
enum class DateKind { CreationTime, ModificationTime, TakenTime };
enum class DateCondition { Earlier, Later };

struct DatePageFields {
    bool operator==(const DatePageFields&) const = default;
    DateKind kind = DateKind::CreationTime;
    DateCondition condition = DateCondition::Earlier;
    QDate date;
    QTime time; // no time stands for midnight
};

// Page 5, image size: how the measured side compares with the pixel limit.
enum class PictureCondition {
    AtLeast,
    AtMost,
    Exactly,
    Unselected, // matches no file; names no condition
};

struct ImagePageFields {
    bool operator==(const ImagePageFields&) const = default;
    ImageDimension side = ImageDimension::Width;
    PictureCondition condition = PictureCondition::AtLeast;
    QString limit; // a whole number of pixels, as typed
};

// Which time of a file names its folder on page 6.
enum class DateSource { Taken, Modified, Created };

// Page 6, folders by date: every file goes into the folders its own date names through the pattern.
struct DateFoldersPageFields {
    bool operator==(const DateFoldersPageFields&) const = default;
    QString pattern = QStringLiteral("%Y/%m"); // %Y, %m and %d stand for the date's parts; '/' makes levels
    DateSource source = DateSource::Taken;
};

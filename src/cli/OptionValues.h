#pragma once

#include "engine/criteria/ExtensionFilter.h"
#include "engine/criteria/PageFields.h"
#include "engine/placement/Placement.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// The values of the sort options, checked by the same rules as the window's fields: a value the window would refuse
// is refused here, and an accepted one gives the window's fields exactly as the user would have filled them in. The
// numbers of sizes and pixels are whole numbers, as the window's fields let them be typed: a minus sign, which only
// pasting puts into a field, is refused.

// --larger/--smaller: a whole number followed by KB or MB, either letter case. number is the text before the unit,
// as the size field would hold it.
struct SizeValue {
    QString number;
    SizeUnit unit = SizeUnit::KB;
};
std::optional<SizeValue> ParseSizeValue(const QString& text);

// --before/--after: YYYY-MM-DD, or YYYY-MM-DD HH:MM[:SS] (a "T" may stand for the space), in local time.
struct MomentValue {
    QDate date;
    QTime time;
};
std::optional<MomentValue> ParseMoment(const QString& text);

// --width/--height: >=N, <=N or =N; limit is N as the pixel field would hold it.
struct PixelValue {
    PictureCondition condition = PictureCondition::AtLeast;
    QString limit;
};
std::optional<PixelValue> ParsePixelValue(const QString& text);

// --range FROM-TO: the two character positions as the two fields would hold them.
struct RangeValue {
    QString begin;
    QString end;
};
std::optional<RangeValue> ParseRange(const QString& text);

// --include/--exclude: comma-separated extensions, where jpg, .jpg and *.jpg all give the type-list entry *.jpg.
std::optional<QStringList> ParseTypeList(const QString& text);

// --picture-types: comma-separated names of the picture-type items; each name stands for its whole item, so jpg and
// jpeg both tick "*.JPG;*.JPEG". The items keep their order; those not named are unticked.
std::optional<QList<PictureType>> ParsePictureTypes(const QString& text);

// --on-conflict: skip, overwrite, number or ask.
std::optional<SameNamePolicy> ParseSameNamePolicy(const QString& text);

// --depth: a whole number of levels, 0 or more.
std::optional<int> ParseDepth(const QString& text);

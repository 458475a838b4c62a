#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One item of the picture-type list: its text names one or more patterns ("*.JPG;*.JPEG").
struct PictureType {
    bool operator==(const PictureType&) const = default;
    QString text;
    bool ticked = true;
};

// The filter controls as they stand when a file is looked at.
struct ExtensionFilterState {
    bool operator==(const ExtensionFilterState&) const = default;
    bool include = false;
    bool exclude = false;
    QStringList typeList;
    QList<PictureType> pictureTypes;
};

// The include/exclude test of the type list: the probe "*" + extension is compared with whole entries, ignoring
// letter case; the asterisk is an ordinary character on both sides.
bool ExtensionFilterAccepts(const ExtensionFilterState& filter, const QByteArray& extension);

// The picture-type test: accepts when the probe, in capitals, occurs anywhere in the text of a ticked item.
bool PictureTypeAccepts(const ExtensionFilterState& filter, const QByteArray& extension);

// Why the type list passes over a file of extension, in the user's words (Chinese source text, translatable): the
// type is not among those to sort only, or among those not to sort.
QString ExtensionFilterRefusal(const ExtensionFilterState& filter, const QByteArray& extension);
// Why the picture-type test passes over a file of extension, in the user's words.
QString PictureTypeRefusal(const QByteArray& extension);

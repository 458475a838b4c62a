#pragma once

#include "engine/criteria/ExtensionFilter.h"
#include "engine/criteria/PageFields.h"

#include <QStringList>

// The items of the window's drop-down lists that name the size and picture pages' folders (大于100KB,
// 大于等于800), and the items of its picture-type list. Folders are named from these source texts in every
// language, so that a run from the command line fills the folders that a run in the window made, and the reverse.

QStringList SizeConditionTexts();      // CmbCondition: greater than, less than
QStringList SizeUnitTexts();           // CmbUnit: KB, MB
QStringList PixelConditionTexts();     // CmbPic: at least, at most, exactly
QList<PictureType> PagePictureTypes(); // ChkLstPic, all ticked

// The item that names a folder after the choice; empty for Unselected.
QString SizeConditionText(SizeCondition condition);
QString SizeUnitText(SizeUnit unit);
QString PictureConditionText(PictureCondition condition);

// The index of a choice's item in its drop-down list, whose items are in the order of the choices: -1 (no item
// selected) for Unselected.
template <typename Choice> int ChoiceItemIndex(Choice choice) {
    return choice == Choice::Unselected ? -1 : int(choice);
}

// The choice of the item at index in a list of count items; Unselected for any other index.
template <typename Choice> Choice ChoiceOfItem(int index, int count) {
    return index >= 0 && index < count ? Choice(index) : Choice::Unselected;
}

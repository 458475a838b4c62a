#include "ui/WindowSettings.h"

#include "presets/StoredChoices.h"
#include "ui/FormChoices.h"
#include "ui/MainWindowControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimeEdit>

// Each change fires the control's signals, so a handler connected to one (the page update) sees every key applied
// before it and none after: this order is the one the window has always had.
void ApplySettings(const SortChoiceControls& choices, const SettingsValues& values) {
    choices.ignoredCharacters.setText(values.nameFilterPieces);
    choices.outputFolder.setText(values.outputFolder);
    CheckSameNamePolicy(choices, SameNamePolicyFromStored(values.sameNamePolicy));
    choices.skipIdentical.setChecked(values.skipIdentical != 0);
    if (values.criterionPage >= 0) {
        choices.pages.setCurrentIndex(values.criterionPage);
    }
    choices.typeList.clear();
    choices.typeList.addItems(values.typeList);
    (values.pictureDimension == 0 ? choices.pictureWidth : choices.pictureHeight).setChecked(true);
    (values.takenTime == 1  ? choices.takenTime
     : values.dateKind == 0 ? choices.creationTime
                            : choices.modificationTime)
        .setChecked(true);
    choices.pixelCondition.setCurrentIndex(values.pictureCondition);
    choices.pixels.setText(values.pictureLimit);
    choices.sizeCondition.setCurrentIndex(values.sizeCondition);
    choices.sizeUnit.setCurrentIndex(values.sizeUnit);
    choices.size.setText(values.sizeThreshold);
    if (values.dateMomentDay) {
        choices.date.setDate(*values.dateMomentDay);
    }
    if (values.dateMomentTime) {
        choices.time.setTime(*values.dateMomentTime);
    }
    choices.dateCondition.setCurrentIndex(values.dateCondition);
    choices.keywords.setText(values.keywords);
    ShowDatePattern(choices, values.datePattern);
    CheckDateSource(choices, DateSourceFromStored(values.dateSource));
}

SettingsValues CurrentSettings(const SortChoiceControls& choices) {
    SettingsValues values;
    values.nameFilterPieces = choices.ignoredCharacters.text();
    values.sameNamePolicy = StoredSameNamePolicy(CheckedSameNamePolicy(choices));
    values.skipIdentical = choices.skipIdentical.isChecked() ? 1 : 0;
    values.outputFolder = choices.outputFolder.text();
    values.criterionPage = choices.pages.currentIndex();
    values.typeList = TypeListEntries(choices);
    values.pictureDimension = choices.pictureWidth.isChecked() ? 0 : 1;
    values.pictureCondition = choices.pixelCondition.currentIndex();
    values.pictureLimit = choices.pixels.text();
    values.sizeCondition = choices.sizeCondition.currentIndex();
    values.sizeUnit = choices.sizeUnit.currentIndex();
    values.sizeThreshold = choices.size.text();
    values.keywords = choices.keywords.text();
    values.dateMomentDay = choices.date.date();
    values.dateMomentTime = choices.time.time();
    values.dateKind = choices.creationTime.isChecked() ? 0 : 1;
    values.dateCondition = choices.dateCondition.currentIndex();
    values.takenTime = choices.takenTime.isChecked() ? 1 : 0;
    values.datePattern = ChosenDatePattern(choices);
    values.dateSource = int(CheckedDateSource(choices));
    return values;
}

#include "ui/WindowSettings.h"

#include "ui/FormChoices.h"
#include "ui/MainWindowControls.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimeEdit>

#include <array>
#include <utility>

namespace {
// The one table between the policies and their stored values.
constexpr std::array<std::pair<SameNamePolicy, int>, 4> kStoredPolicies = {{
    {SameNamePolicy::Skip, 0},
    {SameNamePolicy::Overwrite, 1},
    {SameNamePolicy::Ask, 2},
    {SameNamePolicy::Rename, 3},
}};
} // namespace

int StoredSameNamePolicy(SameNamePolicy policy) {
    for (const auto& [known, stored] : kStoredPolicies) {
        if (known == policy) {
            return stored;
        }
    }
    Q_UNREACHABLE();
}

SameNamePolicy SameNamePolicyFromStored(int stored) {
    for (const auto& [policy, known] : kStoredPolicies) {
        if (known == stored) {
            return policy;
        }
    }
    return SameNamePolicy::Skip;
}

// Each change fires the control's signals, so a handler connected to one (the page update) sees every key applied
// before it and none after: this order is the one the window has always had.
void ApplySettings(const SortChoiceControls& choices, const SettingsValues& values) {
    choices.ignoredCharacters.setText(values.filter);
    choices.outputFolder.setText(values.outDir);
    CheckSameNamePolicy(choices, SameNamePolicyFromStored(values.sameFile));
    if (values.page >= 0) {
        choices.pages.setCurrentIndex(values.page);
    }
    choices.typeList.clear();
    choices.typeList.addItems(values.suffixFilter);
    (values.picSize == 0 ? choices.pictureWidth : choices.pictureHeight).setChecked(true);
    (values.fileAttr == 0 ? choices.creationTime : choices.modificationTime).setChecked(true);
    choices.pixelCondition.setCurrentIndex(values.cmbPic);
    choices.pixels.setText(values.picSizeValue);
    choices.sizeCondition.setCurrentIndex(values.cmbCondition);
    choices.sizeUnit.setCurrentIndex(values.cmbUnit);
    choices.size.setText(values.fileSize);
    if (values.dtDate) {
        choices.date.setDate(*values.dtDate);
    }
    if (values.dtTime) {
        choices.time.setTime(*values.dtTime);
    }
    choices.dateCondition.setCurrentIndex(values.cmbFileDate);
    choices.keywords.setText(values.edtKeys);
}

SettingsValues CurrentSettings(const SortChoiceControls& choices) {
    SettingsValues values;
    values.filter = choices.ignoredCharacters.text();
    values.sameFile = StoredSameNamePolicy(CheckedSameNamePolicy(choices));
    values.outDir = choices.outputFolder.text();
    values.page = choices.pages.currentIndex();
    values.suffixFilter = TypeListEntries(choices);
    values.picSize = choices.pictureWidth.isChecked() ? 0 : 1;
    values.cmbPic = choices.pixelCondition.currentIndex();
    values.picSizeValue = choices.pixels.text();
    values.cmbCondition = choices.sizeCondition.currentIndex();
    values.cmbUnit = choices.sizeUnit.currentIndex();
    values.fileSize = choices.size.text();
    values.edtKeys = choices.keywords.text();
    values.dtDate = choices.date.date();
    values.dtTime = choices.time.time();
    values.fileAttr = choices.creationTime.isChecked() ? 0 : 1;
    values.cmbFileDate = choices.dateCondition.currentIndex();
    return values;
}

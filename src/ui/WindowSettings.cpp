#include "ui/WindowSettings.h"

#include "ui/FormChoices.h"

#include "ui_TForm1.h"

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
void ApplySettings(Ui::TForm1& ui, const SettingsValues& values) {
    ui.EdtFilter->setText(values.nameFilterPieces);
    ui.EdtOutDir->setText(values.outputFolder);
    CheckSameNamePolicy(ui, SameNamePolicyFromStored(values.sameNamePolicy));
    if (values.criterionPage >= 0) {
        ui.PageControl1->setCurrentIndex(values.criterionPage);
    }
    ui.ListBox2->clear();
    ui.ListBox2->addItems(values.typeList);
    (values.pictureDimension == 0 ? ui.RbPicW : ui.RbPicH)->setChecked(true);
    (values.dateKind == 0 ? ui.RbCreateTime : ui.RbModifyTime)->setChecked(true);
    ui.CmbPic->setCurrentIndex(values.pictureCondition);
    ui.EdtPic->setText(values.pictureLimit);
    ui.CmbCondition->setCurrentIndex(values.sizeCondition);
    ui.CmbUnit->setCurrentIndex(values.sizeUnit);
    ui.EdtSize->setText(values.sizeThreshold);
    if (values.dateMomentDay) {
        ui.DtDate->setDate(*values.dateMomentDay);
    }
    if (values.dateMomentTime) {
        ui.DtTime->setTime(*values.dateMomentTime);
    }
    ui.CmbFileDate->setCurrentIndex(values.dateCondition);
    ui.EdtKeys->setText(values.keywords);
}

SettingsValues CurrentSettings(const Ui::TForm1& ui) {
    SettingsValues values;
    values.nameFilterPieces = ui.EdtFilter->text();
    values.sameNamePolicy = StoredSameNamePolicy(CheckedSameNamePolicy(ui));
    values.outputFolder = ui.EdtOutDir->text();
    values.criterionPage = ui.PageControl1->currentIndex();
    values.typeList = TypeListEntries(ui);
    values.pictureDimension = ui.RbPicW->isChecked() ? 0 : 1;
    values.pictureCondition = ui.CmbPic->currentIndex();
    values.pictureLimit = ui.EdtPic->text();
    values.sizeCondition = ui.CmbCondition->currentIndex();
    values.sizeUnit = ui.CmbUnit->currentIndex();
    values.sizeThreshold = ui.EdtSize->text();
    values.keywords = ui.EdtKeys->text();
    values.dateMomentDay = ui.DtDate->date();
    values.dateMomentTime = ui.DtTime->time();
    values.dateKind = ui.RbCreateTime->isChecked() ? 0 : 1;
    values.dateCondition = ui.CmbFileDate->currentIndex();
    return values;
}

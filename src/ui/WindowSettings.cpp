#include "ui/WindowSettings.h"

#include "ui/FormChoices.h"

#include "ui_MainWindow.h"

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
void ApplySettings(Ui::MainWindow& ui, const SettingsValues& values) {
    ui.EdtFilter->setText(values.filter);
    ui.EdtOutDir->setText(values.outDir);
    CheckSameNamePolicy(ui, SameNamePolicyFromStored(values.sameFile));
    if (values.page >= 0) {
        ui.PageControl1->setCurrentIndex(values.page);
    }
    ui.ListBox2->clear();
    ui.ListBox2->addItems(values.suffixFilter);
    (values.picSize == 0 ? ui.RbPicW : ui.RbPicH)->setChecked(true);
    (values.fileAttr == 0 ? ui.RbCreateTime : ui.RbModifyTime)->setChecked(true);
    ui.CmbPic->setCurrentIndex(values.cmbPic);
    ui.EdtPic->setText(values.picSizeValue);
    ui.CmbCondition->setCurrentIndex(values.cmbCondition);
    ui.CmbUnit->setCurrentIndex(values.cmbUnit);
    ui.EdtSize->setText(values.fileSize);
    if (values.dtDate) {
        ui.DtDate->setDate(*values.dtDate);
    }
    if (values.dtTime) {
        ui.DtTime->setTime(*values.dtTime);
    }
    ui.CmbFileDate->setCurrentIndex(values.cmbFileDate);
    ui.EdtKeys->setText(values.edtKeys);
}

SettingsValues CurrentSettings(const Ui::MainWindow& ui) {
    SettingsValues values;
    values.filter = ui.EdtFilter->text();
    values.sameFile = StoredSameNamePolicy(CheckedSameNamePolicy(ui));
    values.outDir = ui.EdtOutDir->text();
    values.page = ui.PageControl1->currentIndex();
    values.suffixFilter = TypeListEntries(ui);
    values.picSize = ui.RbPicW->isChecked() ? 0 : 1;
    values.cmbPic = ui.CmbPic->currentIndex();
    values.picSizeValue = ui.EdtPic->text();
    values.cmbCondition = ui.CmbCondition->currentIndex();
    values.cmbUnit = ui.CmbUnit->currentIndex();
    values.fileSize = ui.EdtSize->text();
    values.edtKeys = ui.EdtKeys->text();
    values.dtDate = ui.DtDate->date();
    values.dtTime = ui.DtTime->time();
    values.fileAttr = ui.RbCreateTime->isChecked() ? 0 : 1;
    values.cmbFileDate = ui.CmbFileDate->currentIndex();
    return values;
}

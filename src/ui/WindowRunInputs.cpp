#include "ui/WindowRunInputs.h"

#include "engine/criteria/PageChoiceTexts.h"
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

#include <array>

namespace {

// The choice that the selected item of list stands for, its items standing for choices in their order; Unselected
// when no item is selected (or for any other index).
template <typename Choice, std::size_t N> Choice choiceAt(QComboBox& list, const std::array<Choice, N>& choices) {
    const int index = list.currentIndex();
    return index >= 0 && index < int(N) ? choices[std::size_t(index)] : Choice::Unselected;
}

} // namespace

RunInputs ReadRunInputs(const SortChoiceControls& choices) {
    RunInputs inputs;
    inputs.page = CriterionPage(choices.pages.currentIndex());
    inputs.keywords = choices.keywords.text();
    inputs.name = {choices.nameRange.isChecked(), choices.rangeBegin.text(), choices.rangeEnd.text(),
                   choices.ignoredCharacters.text(), choices.onlyExistingFolders.isChecked()};
    inputs.size = {choiceAt(choices.sizeCondition, std::array{SizeCondition::Larger, SizeCondition::Smaller}),
                   choices.size.text(), choiceAt(choices.sizeUnit, std::array{SizeUnit::KB, SizeUnit::MB})};
    inputs.date = {CheckedDateKind(choices),
                   choices.dateCondition.currentIndex() == 0 ? DateCondition::Earlier : DateCondition::Later,
                   choices.date.date(), choices.time.time()};
    inputs.image = {choices.pictureHeight.isChecked() ? ImageDimension::Height : ImageDimension::Width,
                    choiceAt(choices.pixelCondition, std::array{PictureCondition::AtLeast, PictureCondition::AtMost,
                                                                PictureCondition::Exactly}),
                    choices.pixels.text()};
    inputs.dateFolders = {ChosenDatePattern(choices), CheckedDateSource(choices)};
    inputs.filter.include = choices.includeTypes.isChecked();
    inputs.filter.exclude = choices.excludeTypes.isChecked();
    inputs.filter.typeList = TypeListEntries(choices);
    for (int row = 0; row < choices.pictureTypes.count(); ++row) {
        const QListWidgetItem* item = choices.pictureTypes.item(row);
        inputs.filter.pictureTypes.append({item->text(), item->checkState() == Qt::Checked});
    }
    inputs.outputFolder = choices.outputFolder.text();
    inputs.move = choices.moveFiles.isChecked();
    inputs.policy = CheckedSameNamePolicy(choices);
    inputs.skipIdentical = choices.skipIdentical.isChecked();
    return inputs;
}

void ApplyRunInputs(const SortChoiceControls& choices, const RunInputs& inputs) {
    choices.pages.setCurrentIndex(inputs.page);
    choices.keywords.setText(inputs.keywords);
    choices.nameRange.setChecked(inputs.name.range);
    choices.rangeBegin.setText(inputs.name.begin);
    choices.rangeEnd.setText(inputs.name.end);
    choices.ignoredCharacters.setText(inputs.name.filter);
    choices.onlyExistingFolders.setChecked(inputs.name.onlyExisting);
    choices.sizeCondition.setCurrentIndex(ChoiceItemIndex(inputs.size.condition));
    choices.size.setText(inputs.size.size);
    choices.sizeUnit.setCurrentIndex(ChoiceItemIndex(inputs.size.unit));
    (inputs.date.kind == DateKind::TakenTime          ? choices.takenTime
     : inputs.date.kind == DateKind::ModificationTime ? choices.modificationTime
                                                      : choices.creationTime)
        .setChecked(true);
    choices.dateCondition.setCurrentIndex(inputs.date.condition == DateCondition::Earlier ? 0 : 1);
    if (inputs.date.date.isValid()) {
        choices.date.setDate(inputs.date.date);
    }
    if (inputs.date.time.isValid()) {
        choices.time.setTime(inputs.date.time);
    }
    (inputs.image.side == ImageDimension::Height ? choices.pictureHeight : choices.pictureWidth).setChecked(true);
    choices.pixelCondition.setCurrentIndex(ChoiceItemIndex(inputs.image.condition));
    choices.pixels.setText(inputs.image.limit);
    ShowDatePattern(choices, inputs.dateFolders.pattern);
    CheckDateSource(choices, inputs.dateFolders.source);
    choices.includeTypes.setChecked(inputs.filter.include);
    choices.excludeTypes.setChecked(inputs.filter.exclude);
    choices.typeList.clear();
    choices.typeList.addItems(inputs.filter.typeList);
    for (int row = 0; row < choices.pictureTypes.count(); ++row) {
        QListWidgetItem* item = choices.pictureTypes.item(row);
        const bool ticked = inputs.filter.pictureTypes.contains(PictureType{item->text(), true});
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    choices.outputFolder.setText(inputs.outputFolder);
    (inputs.move ? choices.moveFiles : choices.copyFiles).setChecked(true);
    CheckSameNamePolicy(choices, inputs.policy);
    choices.skipIdentical.setChecked(inputs.skipIdentical);
}

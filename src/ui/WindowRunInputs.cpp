#include "ui/WindowRunInputs.h"

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

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

namespace {

SizeCondition sizeConditionAt(int index) {
    switch (index) {
    case 0:
        return SizeCondition::Larger;
    case 1:
        return SizeCondition::Smaller;
    }
    return SizeCondition::Unselected;
}

SizeUnit sizeUnitAt(int index) {
    switch (index) {
    case 0:
        return SizeUnit::KB;
    case 1:
        return SizeUnit::MB;
    }
    return SizeUnit::Unselected;
}

PictureCondition pictureConditionAt(int index) {
    switch (index) {
    case 0:
        return PictureCondition::AtLeast;
    case 1:
        return PictureCondition::AtMost;
    case 2:
        return PictureCondition::Exactly;
    }
    return PictureCondition::Unselected;
}

} // namespace

RunInputs ReadRunInputs(const SortChoiceControls& choices) {
    RunInputs inputs;
    inputs.page = CriterionPage(choices.pages.currentIndex());
    inputs.keywords = choices.keywords.text();
    inputs.name = {choices.nameRange.isChecked(), choices.rangeBegin.text(), choices.rangeEnd.text(),
                   choices.ignoredCharacters.text(), choices.onlyExistingFolders.isChecked()};
    inputs.size = {sizeConditionAt(choices.sizeCondition.currentIndex()), choices.size.text(),
                   sizeUnitAt(choices.sizeUnit.currentIndex())};
    inputs.date = {choices.creationTime.isChecked() ? DateKind::CreationTime : DateKind::ModificationTime,
                   choices.dateCondition.currentIndex() == 0 ? DateCondition::Earlier : DateCondition::Later,
                   choices.date.date(), choices.time.time()};
    inputs.image = {choices.pictureHeight.isChecked() ? ImageDimension::Height : ImageDimension::Width,
                    pictureConditionAt(choices.pixelCondition.currentIndex()), choices.pixels.text()};
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
    return inputs;
}

#include "ui/FormChoices.h"

#include "ui/MainWindowControls.h"

#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
// The one table between the same-name buttons and the policies.
std::array<std::pair<QRadioButton*, SameNamePolicy>, 4> sameNameButtons(const SortChoiceControls& choices) {
    return {{{&choices.overwrite, SameNamePolicy::Overwrite},
             {&choices.ask, SameNamePolicy::Ask},
             {&choices.skip, SameNamePolicy::Skip},
             {&choices.autoNumber, SameNamePolicy::Rename}}};
}

// The choice of the checked button of an exclusive group, given as a table of buttons and their choices; fallback
// when none is checked (the window checks one of each group at start, so one always is).
template <typename Choice, std::size_t N>
Choice checkedChoice(const std::array<std::pair<QRadioButton*, Choice>, N>& buttons, Choice fallback) {
    for (const auto& [button, choice] : buttons) {
        if (button->isChecked()) {
            return choice;
        }
    }
    return fallback;
}

// Checks the button of choice in a table of buttons and their choices.
template <typename Choice, std::size_t N>
void checkChoice(const std::array<std::pair<QRadioButton*, Choice>, N>& buttons, Choice choice) {
    for (const auto& [button, buttonChoice] : buttons) {
        if (buttonChoice == choice) {
            button->setChecked(true);
        }
    }
}
} // namespace

SameNamePolicy CheckedSameNamePolicy(const SortChoiceControls& choices) {
    return checkedChoice(sameNameButtons(choices), SameNamePolicy::Skip);
}

void CheckSameNamePolicy(const SortChoiceControls& choices, SameNamePolicy policy) {
    checkChoice(sameNameButtons(choices), policy);
}

QStringList TypeListEntries(const SortChoiceControls& choices) {
    QStringList entries;
    for (int row = 0; row < choices.typeList.count(); ++row) {
        entries.append(choices.typeList.item(row)->text());
    }
    return entries;
}

namespace {
// The patterns the items of CmbDatePattern stand for, in their order: 年/月, 年/年-月, 年/月/日, 年-月-日, 年.
const std::array<QString, 5> kDatePatternItems{u"%Y/%m"_s, u"%Y/%Y-%m"_s, u"%Y/%m/%d"_s, u"%Y-%m-%d"_s, u"%Y"_s};

std::array<std::pair<QRadioButton*, DateSource>, 3> dateSourceButtons(const SortChoiceControls& choices) {
    return {{{&choices.folderTaken, DateSource::Taken},
             {&choices.folderModified, DateSource::Modified},
             {&choices.folderCreated, DateSource::Created}}};
}
} // namespace

DateKind CheckedDateKind(const SortChoiceControls& choices) {
    if (choices.creationTime.isChecked()) {
        return DateKind::CreationTime;
    }
    return choices.takenTime.isChecked() ? DateKind::TakenTime : DateKind::ModificationTime;
}

QString ChosenDatePattern(const SortChoiceControls& choices) {
    const QString text = choices.datePattern.currentText();
    for (int item = 0; item < choices.datePattern.count() && item < int(kDatePatternItems.size()); ++item) {
        if (choices.datePattern.itemText(item) == text) {
            return kDatePatternItems[std::size_t(item)];
        }
    }
    return text;
}

void ShowDatePattern(const SortChoiceControls& choices, const QString& pattern) {
    const auto item = std::find(kDatePatternItems.cbegin(), kDatePatternItems.cend(), pattern);
    if (item != kDatePatternItems.cend() && int(item - kDatePatternItems.cbegin()) < choices.datePattern.count()) {
        choices.datePattern.setCurrentIndex(int(item - kDatePatternItems.cbegin()));
    } else {
        choices.datePattern.setEditText(pattern);
    }
}

DateSource CheckedDateSource(const SortChoiceControls& choices) {
    return checkedChoice(dateSourceButtons(choices), DateSource::Taken);
}

void CheckDateSource(const SortChoiceControls& choices, DateSource source) {
    checkChoice(dateSourceButtons(choices), source);
}

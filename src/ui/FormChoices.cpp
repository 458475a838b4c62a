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
} // namespace

SameNamePolicy CheckedSameNamePolicy(const SortChoiceControls& choices) {
    for (const auto& [button, policy] : sameNameButtons(choices)) {
        if (button->isChecked()) {
            return policy;
        }
    }
    // The buttons are one exclusive group and the window checks one at start, so one is always checked.
    return SameNamePolicy::Skip;
}

void CheckSameNamePolicy(const SortChoiceControls& choices, SameNamePolicy policy) {
    for (const auto& [button, buttonPolicy] : sameNameButtons(choices)) {
        if (buttonPolicy == policy) {
            button->setChecked(true);
        }
    }
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
    for (const auto& [button, source] : dateSourceButtons(choices)) {
        if (button->isChecked()) {
            return source;
        }
    }
    return DateSource::Taken;
}

void CheckDateSource(const SortChoiceControls& choices, DateSource source) {
    for (const auto& [button, buttonSource] : dateSourceButtons(choices)) {
        if (buttonSource == source) {
            button->setChecked(true);
        }
    }
}

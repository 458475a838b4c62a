#include "ui/FormChoices.h"

#include "ui/MainWindowControls.h"

#include <QListWidget>
#include <QRadioButton>

#include <array>
#include <utility>

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

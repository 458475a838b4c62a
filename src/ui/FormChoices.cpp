#include "ui/FormChoices.h"

#include "ui_MainWindow.h"

#include <array>
#include <utility>

namespace {
// The one table between the same-name buttons and the policies.
std::array<std::pair<QRadioButton*, SameNamePolicy>, 4> sameNameButtons(const Ui::MainWindow& ui) {
    return {{{ui.RbOverwrite, SameNamePolicy::Overwrite},
             {ui.RbAsk, SameNamePolicy::Ask},
             {ui.RbSkip, SameNamePolicy::Skip},
             {ui.RbRename, SameNamePolicy::Rename}}};
}
} // namespace

SameNamePolicy CheckedSameNamePolicy(const Ui::MainWindow& ui) {
    for (const auto& [button, policy] : sameNameButtons(ui)) {
        if (button->isChecked()) {
            return policy;
        }
    }
    // The buttons are one exclusive group and the window checks one at start, so one is always checked.
    return SameNamePolicy::Skip;
}

void CheckSameNamePolicy(Ui::MainWindow& ui, SameNamePolicy policy) {
    for (const auto& [button, buttonPolicy] : sameNameButtons(ui)) {
        if (buttonPolicy == policy) {
            button->setChecked(true);
        }
    }
}

QStringList TypeListEntries(const Ui::MainWindow& ui) {
    QStringList entries;
    for (int row = 0; row < ui.ListBox2->count(); ++row) {
        entries.append(ui.ListBox2->item(row)->text());
    }
    return entries;
}

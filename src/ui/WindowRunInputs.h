#pragma once

#include "engine/RunInputs.h"

struct SortChoiceControls;

// The run's inputs as the main window's controls hold them now: the one mapping between the controls and the
// inputs. A drop-down list's index is read by the window's own rules: CmbCondition 0 larger, 1 smaller; CmbUnit 0
// KB, 1 MB; CmbPic 0 at least, 1 at most, 2 exactly; any other index of these (-1: no item selected) is
// Unselected. CmbFileDate 0 earlier, any other index later.
RunInputs ReadRunInputs(const SortChoiceControls& choices);

// Shows inputs in the controls, the inverse of ReadRunInputs: a saved sort chosen in the window. A date or time
// that inputs do not hold keeps the picker's value; a picture type is ticked when inputs tick an item of its text.
void ApplyRunInputs(const SortChoiceControls& choices, const RunInputs& inputs);

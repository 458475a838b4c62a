// TEMPORARY: an empty plan until the planning call is defined; removed when it is.
#include "engine/SortPlan.h"

std::optional<SortPlan> PlanSort(RunHost&) {
    return SortPlan{};
}

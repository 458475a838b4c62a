#include "presets/StoredChoices.h"

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

DateSource DateSourceFromStored(int stored) {
    return stored == int(DateSource::Modified)  ? DateSource::Modified
           : stored == int(DateSource::Created) ? DateSource::Created
                                                : DateSource::Taken;
}

#pragma once

#include "engine/criteria/PageFields.h"
#include "engine/placement/Placement.h"

// The numbers that the settings file and the saved sorts keep for a choice.

// The SameFile value of a policy (0 skip, 1 overwrite, 2 ask, 3 auto-number), and the policy of a value; any other
// value stands for skip.
int StoredSameNamePolicy(SameNamePolicy policy);
SameNamePolicy SameNamePolicyFromStored(int stored);

// The date source of a DateSource value (0 taken, 1 modified, 2 created); any other value stands for taken. The
// stored value of a source is its number in that order.
DateSource DateSourceFromStored(int stored);

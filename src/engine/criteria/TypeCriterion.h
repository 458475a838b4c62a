#pragma once

#include "engine/criteria/Criterion.h"

// Page 2: a file goes into the folder named after its extension, dot included and spelt as in the file name; a
// file without extension goes into the output folder itself.
class TypeCriterion : public Criterion {
public:
    FileOutcome sortFile(const QByteArray& source, const QByteArray& extension, SortContext& context) override;
};

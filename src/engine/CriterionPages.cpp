#include "engine/CriterionPages.h"

#include "engine/DateCriterion.h"
#include "engine/ImageCriterion.h"
#include "engine/KeywordCriterion.h"
#include "engine/NameCriterion.h"
#include "engine/SizeCriterion.h"
#include "engine/TypeCriterion.h"

ParameterOutcome RunParameterStep(int page, RunHost& host) {
    switch (page) {
    case KeywordPage:
        return KeywordParameterStep(host);
    case NamePage:
        return NameParameterStep(host);
    case TypePage:
        // The type page has no fields to read or check.
        return std::make_unique<TypeCriterion>();
    case SizePage:
        return SizeParameterStep(host);
    case DatePage:
        return DateParameterStep(host);
    case ImagePage:
        return ImageParameterStep(host);
    }
    // The page control holds exactly the pages above.
    qFatal("RunParameterStep: no criterion page %d", page);
}

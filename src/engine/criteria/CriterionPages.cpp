#include "engine/criteria/CriterionPages.h"

#include "engine/criteria/DateCriterion.h"
#include "engine/criteria/ImageCriterion.h"
#include "engine/criteria/KeywordCriterion.h"
#include "engine/criteria/NameCriterion.h"
#include "engine/criteria/SizeCriterion.h"
#include "engine/criteria/TypeCriterion.h"

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

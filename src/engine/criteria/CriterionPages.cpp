#include "engine/criteria/CriterionPages.h"

#include "engine/RunInputs.h"
#include "engine/criteria/DateCriterion.h"
#include "engine/criteria/DateFoldersCriterion.h"
#include "engine/criteria/ImageCriterion.h"
#include "engine/criteria/KeywordCriterion.h"
#include "engine/criteria/NameCriterion.h"
#include "engine/criteria/SizeCriterion.h"
#include "engine/criteria/TypeCriterion.h"

ParameterOutcome RunParameterStep(const RunInputs& inputs) {
    switch (inputs.page) {
    case KeywordPage:
        return KeywordParameterStep(inputs.keywords);
    case NamePage:
        return NameParameterStep(inputs.name);
    case TypePage:
        // The type page has no fields to read or check.
        return std::make_unique<TypeCriterion>();
    case SizePage:
        return SizeParameterStep(inputs.size);
    case DatePage:
        return DateParameterStep(inputs.date);
    case ImagePage:
        return ImageParameterStep(inputs.image);
    case DateFoldersPage:
        return DateFoldersParameterStep(inputs.dateFolders);
    case PageCount:
        break;
    }
    // The page control holds exactly the pages above.
    qFatal("RunParameterStep: no criterion page %d", int(inputs.page));
}
